#include "formats/fixed_text.h"

#include <algorithm>
#include <charconv>

namespace korvane {

std::string FixedText(double value, int decimals) {
    // The largest double has 309 integer digits; the precision is kept sensible.
    char buffer[400];
    int precision = std::clamp(decimals, 0, 40);
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    return std::string(buffer, result.ptr);
}

}  // namespace korvane
