#include "remote/scpi_parameter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "remote/scpi_error_queue.h"
#include "remote/scpi_message.h"

namespace korvane::scpi {
namespace {

struct Multiplier {
    std::string_view prefix;
    double factor;
};

// Longer prefixes first so that "MA" (mega) wins over "M" (milli).
constexpr std::array<Multiplier, 12> kMultipliers{{
    {"EX", 1e18},
    {"PE", 1e15},
    {"MA", 1e6},
    {"T", 1e12},
    {"G", 1e9},
    {"K", 1e3},
    {"M", 1e-3},
    {"U", 1e-6},
    {"N", 1e-9},
    {"P", 1e-12},
    {"F", 1e-15},
    {"A", 1e-18},
}};

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The factor a unit suffix stands for, or 0 when it is not one this rule takes.
double SuffixFactor(const std::string& suffix, const UnitRule& rule) {
    if (rule.percent && suffix == "PCT") {
        return 0.01;
    }
    if (rule.unit.empty() || suffix.size() < rule.unit.size() ||
        suffix.compare(suffix.size() - rule.unit.size(), rule.unit.size(), rule.unit) != 0) {
        return 0.0;
    }
    std::string_view prefix(suffix.data(), suffix.size() - rule.unit.size());
    if (prefix.empty()) {
        return rule.scale;
    }
    // Frequency is the one unit where a plain M means mega: "MHZ" is megahertz in any case.
    if (rule.unit == "HZ" && prefix == "M") {
        return 1e6 * rule.scale;
    }
    for (const Multiplier& m : kMultipliers) {
        if (prefix == m.prefix) {
            return m.factor * rule.scale;
        }
    }
    return 0.0;
}

int ParseRadixInteger(std::string_view text, double& out) {
    int base = 0;
    switch (text.size() > 1 ? text[1] : ' ') {
        case 'H':
        case 'h':
            base = 16;
            break;
        case 'Q':
        case 'q':
            base = 8;
            break;
        case 'B':
        case 'b':
            base = 2;
            break;
        default:
            return kNumericDataError;
    }
    std::string_view digits = text.substr(2);
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
        return ec == std::errc::result_out_of_range ? kDataOutOfRange : kInvalidCharacterInNumber;
    }
    out = static_cast<double>(value);
    return 0;
}

// The length of the decimal number at the start of `text` (sign, digits, point, exponent);
// 0 when there is none.
std::size_t DecimalLength(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    // An exponent needs digits; "1E" or "1EX" leave the E to the suffix ("1EXV" is not a number).
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < text.size() && IsDigit(text[exponent])) {
            while (exponent < text.size() && IsDigit(text[exponent])) {
                ++exponent;
            }
            pos = exponent;
        }
    }
    return pos;
}

}  // namespace

int ParseNumeric(std::string_view text, const UnitRule& rule, Numeric& out) {
    if (text.empty()) {
        return kMissingParameter;
    }
    if (IsLetter(text[0])) {
        std::string upper = Upper(text);
        if (MnemonicMatches(upper, "MINimum")) {
            out = {Numeric::Minimum, 0.0};
            return 0;
        }
        if (MnemonicMatches(upper, "MAXimum")) {
            out = {Numeric::Maximum, 0.0};
            return 0;
        }
        if (MnemonicMatches(upper, "DEFault")) {
            out = {Numeric::Default, 0.0};
            return 0;
        }
        return kDataTypeError;
    }
    if (text[0] == '"' || text[0] == '\'') {
        return kDataTypeError;
    }
    if (text[0] == '#') {
        double value = 0.0;
        if (int error = ParseRadixInteger(text, value); error != 0) {
            return error;
        }
        out = {Numeric::Value, value};
        return 0;
    }
    std::size_t length = DecimalLength(text);
    if (length == 0) {
        return kNumericDataError;
    }
    std::string_view number = text.substr(0, length);
    if (number[0] == '+') {
        number.remove_prefix(1);  // from_chars takes no plus sign
    }
    double value = 0.0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        return kExponentTooLarge;
    }
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return kNumericDataError;
    }
    std::string_view rest = text.substr(length);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
        rest.remove_prefix(1);
    }
    if (!rest.empty()) {
        for (char c : rest) {
            if (!IsLetter(c)) {
                return kInvalidCharacterInNumber;
            }
        }
        if (rule.unit.empty() && !rule.percent) {
            return kSuffixNotAllowed;
        }
        double factor = SuffixFactor(Upper(rest), rule);
        if (factor == 0.0) {
            return kInvalidSuffix;
        }
        value *= factor;
        if (!std::isfinite(value)) {
            return kExponentTooLarge;
        }
    }
    out = {Numeric::Value, value};
    return 0;
}

int ParseBoolean(std::string_view text, int& out) {
    static constexpr std::array<Choice, 2> kWords{{{"ON", 1}, {"OFF", 0}}};
    if (!text.empty() && IsLetter(text[0])) {
        return ParseChoice(text, kWords, out);
    }
    Numeric number;
    if (int error = ParseNumeric(text, UnitRule{}, number); error != 0) {
        return error;
    }
    // Rounded to the nearest integer: 0.4 is off, 0.5 and above (or -0.5 and below) on.
    out = std::fabs(number.value) >= 0.5 ? 1 : 0;
    return 0;
}

int ParseChoice(std::string_view text, std::span<const Choice> choices, int& out) {
    if (text.empty()) {
        return kMissingParameter;
    }
    if (!IsLetter(text[0])) {
        return kDataTypeError;
    }
    std::string upper = Upper(text);
    for (const Choice& choice : choices) {
        if (MnemonicMatches(upper, choice.pattern)) {
            out = choice.value;
            return 0;
        }
    }
    return kIllegalParameterValue;
}

}  // namespace korvane::scpi
