#pragma once

#include <span>
#include <string_view>

namespace korvane::scpi {

// The unit a numeric parameter may carry. A bare number is already in the field's own unit; a
// number with the unit (and an optional multiplier such as K, M, U, MA) is converted with `scale`
// (field units per unit: 1000 for a field kept in milliseconds that takes seconds).
struct UnitRule {
    std::string_view unit;  // "HZ", "V", "S", "DB"; empty: no unit allowed
    double scale = 1.0;
    bool percent = false;  // "50PCT" is 0.5
};

struct Numeric {
    enum Kind { Value, Minimum, Maximum, Default };
    Kind kind = Value;
    double value = 0.0;  // in field units, for Value
};

// A decimal number (also #H, #Q, #B integers), MINimum, MAXimum or DEFault. Returns 0 or an error
// number.
int ParseNumeric(std::string_view text, const UnitRule& rule, Numeric& out);

// ON, OFF or a number (rounded; anything but 0 is on). Returns 0 or an error number.
int ParseBoolean(std::string_view text, int& out);

struct Choice {
    std::string_view pattern;  // "SINusoid": short and long form
    int value;
};

// One of the choices; returns 0 or an error number.
int ParseChoice(std::string_view text, std::span<const Choice> choices, int& out);

}  // namespace korvane::scpi
