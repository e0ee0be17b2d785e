#pragma once

namespace korvane::scpi {

// The program version that *IDN? reports: the project's version from the build.
const char* ProgramVersion();

}  // namespace korvane::scpi
