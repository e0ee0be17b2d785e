#pragma once

namespace korvane::scpi {

// The program version that *IDN? reports.
inline constexpr const char* kProgramVersion = "0.1.0";

}  // namespace korvane::scpi
