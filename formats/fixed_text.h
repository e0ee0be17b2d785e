#pragma once

#include <string>

namespace korvane {

// The text "%.*f" gives in the C locale, whatever locale the process runs in: files and fields
// always use "." as the decimal point.
std::string FixedText(double value, int decimals);

}  // namespace korvane
