#pragma once

#include <string_view>

namespace korvane {

// Text to numbers for typed values and CSV files. Only plain decimal text is a number: digits,
// "." and "-" (no blanks, no "+", no exponent); anything else reads as 0.
class CStrConvert {
  public:
    enum Radix : int { Hexadecimal = 0, Decimal = 1, Binary = 2 };

    // The decimal value of the text; 0.0 when it is not a valid number.
    static double TextAsDouble(std::string_view text);
    // The integer in the given radix, in wrapping 32-bit arithmetic; 0 for an unknown radix or a
    // character that is not a digit of it.
    static int TextAsInt(int radix, std::string_view text);
};

// Like TextAsDouble, but says whether the text was a valid number. With a valid leading number
// followed by more text, `value` holds the leading number and the result is false.
bool ParseNumber(std::string_view text, double& value);

}  // namespace korvane
