#include "formats/str_convert.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace korvane {
namespace {

bool IsNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

bool OnlyNumberCharacters(std::string_view text) {
    for (char c : text) {
        if (!IsNumberCharacter(c)) {
            return false;
        }
    }
    return true;
}

// The leading number of a text made of digits, "." and "-", read the way the C library's
// string-to-double conversion reads it, but independent of the process locale.
struct LeadingNumber {
    double value = 0.0;
    std::size_t length = 0;  // characters consumed; 0 when there is no number
};

LeadingNumber ReadLeadingNumber(std::string_view text) {
    LeadingNumber number;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, error] = std::from_chars(first, last, number.value, std::chars_format::fixed);
    if (error == std::errc::invalid_argument) {
        number.value = 0.0;
        return number;
    }
    number.length = static_cast<std::size_t>(end - first);
    if (error == std::errc::result_out_of_range) {
        // Without an exponent only a very long integer part overflows; everything else that is
        // out of range is a vanishing fraction.
        bool negative = text.front() == '-';
        std::string_view digits = text.substr(negative ? 1 : 0, number.length - (negative ? 1 : 0));
        bool overflow = false;
        for (char c : digits) {
            if (c == '.') {
                break;
            }
            if (c != '0') {
                overflow = true;
                break;
            }
        }
        double magnitude = overflow ? std::numeric_limits<double>::infinity() : 0.0;
        number.value = negative ? -magnitude : magnitude;
    }
    return number;
}

}  // namespace

double CStrConvert::TextAsDouble(std::string_view text) {
    double value = 0.0;
    // A leading number followed by more text is no number here.
    return ParseNumber(text, value) ? value : 0.0;
}

int CStrConvert::TextAsInt(int radix, std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        std::uint32_t digit = 0;
        switch (radix) {
            case Decimal:
                if (c < '0' || c > '9') {
                    return 0;
                }
                value = value * 10u + static_cast<std::uint32_t>(c - '0');
                continue;
            case Hexadecimal:
                if (c >= '0' && c <= '9') {
                    digit = static_cast<std::uint32_t>(c - '0');
                } else if (c >= 'a' && c <= 'f') {
                    digit = static_cast<std::uint32_t>(c - 'a' + 10);
                } else if (c >= 'A' && c <= 'F') {
                    digit = static_cast<std::uint32_t>(c - 'A' + 10);
                } else {
                    return 0;
                }
                value = (value << 4) | digit;
                continue;
            case Binary:
                if (c != '0' && c != '1') {
                    return 0;
                }
                value = (value << 1) | static_cast<std::uint32_t>(c - '0');
                continue;
            default:
                return 0;
        }
    }
    return radix == Decimal || radix == Hexadecimal || radix == Binary ? static_cast<int>(value)
                                                                       : 0;
}

bool ParseNumber(std::string_view text, double& value) {
    value = 0.0;
    if (!OnlyNumberCharacters(text)) {
        return false;
    }
    LeadingNumber number = ReadLeadingNumber(text);
    // A zero that does not start with "0" ("", "-", ".", "-0") is no number.
    if (number.value == 0.0 && (text.empty() || text.front() != '0')) {
        return false;
    }
    value = number.value;
    return number.length == text.size();
}

}  // namespace korvane
