#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// How the numbers of a text wave are written.
struct TextNumberFormat {
    char separator = 0;  // ',', ';', '\t', ' ' (runs of blanks and tabs), 0 for one column
    bool decimalComma = false;
};

// Whether a line looks like numbers (digits, signs, exponents, separators, quotes) rather than
// a header's words.
bool LooksNumeric(std::string_view line);

// Decides the separator and the decimal mark from the header lines and the first data lines.
// A comma is a decimal comma only where nothing else can explain it: no decimal point, no
// semicolon or tab, always between two digits, and (without blanks between fields) at most one
// per line, with the part before it not rising steadily as a time or index column would.
TextNumberFormat DetectNumberFormat(std::span<const std::string_view> headerLines,
                                    std::span<const std::string_view> dataLines);

// Splits a data line into its fields; a separator at the end of the line adds no field.
void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields);

// Reads one field as a finite number; an empty string when it is one, else what was wrong.
std::string ParseNumber(std::string_view field, bool decimalComma, double& value);

}  // namespace korvane
