#pragma once

#include <optional>
#include <string_view>

namespace korvane {

// The signed decimal number at the start of text, after leading blanks ("1234abc" gives 1234,
// " -5" gives -5). nullopt when no digit follows, or when the number does not fit an int.
std::optional<int> LeadingInteger(std::string_view text);

}  // namespace korvane
