#include "formats/wave_text_format.h"

#include <charconv>
#include <cmath>

namespace korvane {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool HasBlankInside(std::string_view line) {
    line = Trimmed(line);
    for (char c : line) {
        if (IsBlank(c)) {
            return true;
        }
    }
    return false;
}

// Whether every comma of the line stands between two digits, as in "-0,25".
bool CommasBetweenDigits(std::string_view line) {
    for (std::size_t k = 0; k < line.size(); ++k) {
        if (line[k] == ',' &&
            (k == 0 || k + 1 == line.size() || !IsDigit(line[k - 1]) || !IsDigit(line[k + 1]))) {
            return false;
        }
    }
    return true;
}

// With at most one comma per line and nothing else to go by: "0,5 / 1,25 / -0,5" is one column
// of decimal commas, "0,2048 / 1,2051 / 2,2049" an index column and a value column.
bool FirstPartRises(std::span<const std::string_view> dataLines) {
    double previous = 0.0;
    for (std::size_t k = 0; k < dataLines.size(); ++k) {
        std::string_view line = Trimmed(dataLines[k]);
        double value = 0.0;
        std::string_view before = line.substr(0, line.find(','));
        if (!ParseNumber(before, false, value).empty() || (k > 0 && value <= previous)) {
            return false;
        }
        previous = value;
    }
    return dataLines.size() > 1;
}

}  // namespace

bool LooksNumeric(std::string_view line) {
    bool digit = false;
    for (char c : line) {
        switch (c) {
            case '0':
            case '1':
            case '2':
            case '3':
            case '4':
            case '5':
            case '6':
            case '7':
            case '8':
            case '9':
                digit = true;
                break;
            case '+':
            case '-':
            case '.':
            case ',':
            case ';':
            case 'e':
            case 'E':
            case '"':
            case ' ':
            case '\t':
                break;
            default:
                return false;
        }
    }
    return digit;
}

TextNumberFormat DetectNumberFormat(std::span<const std::string_view> headerLines,
                                    std::span<const std::string_view> dataLines) {
    bool semicolon = false, tab = false, comma = false, dot = false, blankInside = false;
    bool commasBetweenDigits = true, twoCommas = false;
    for (std::string_view line : dataLines) {
        semicolon |= line.find(';') != std::string_view::npos;
        tab |= Trimmed(line).find('\t') != std::string_view::npos;
        std::size_t first = line.find(',');
        comma |= first != std::string_view::npos;
        twoCommas |=
            first != std::string_view::npos && line.find(',', first + 1) != std::string_view::npos;
        dot |= line.find('.') != std::string_view::npos;
        blankInside |= HasBlankInside(line);
        commasBetweenDigits &= CommasBetweenDigits(line);
    }
    if (semicolon) {
        return {';', comma};
    }
    if (tab) {
        return {'\t', comma};
    }
    if (!comma) {
        return {blankInside ? ' ' : '\0', false};
    }
    if (dot || !commasBetweenDigits) {
        return {',', false};
    }
    if (blankInside) {
        return {' ', true};
    }
    for (std::string_view header : headerLines) {
        if (header.find(',') != std::string_view::npos) {
            return {',', false};  // "time,volts"
        }
    }
    if (twoCommas || FirstPartRises(dataLines)) {
        return {',', false};
    }
    return {'\0', true};
}

void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields) {
    fields.clear();
    line = Trimmed(line);
    if (separator == '\0') {
        fields.push_back(line);
        return;
    }
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = start;
        while (end < line.size() &&
               (separator == ' ' ? !IsBlank(line[end]) : line[end] != separator)) {
            ++end;
        }
        fields.push_back(Trimmed(line.substr(start, end - start)));
        if (end == line.size()) {
            break;
        }
        start = end + 1;
        if (separator == ' ') {
            while (start < line.size() && IsBlank(line[start])) {
                ++start;
            }
        }
        if (start == line.size()) {
            break;  // a trailing separator
        }
    }
}

std::string ParseNumber(std::string_view field, bool decimalComma, double& value) {
    field = Trimmed(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = Trimmed(field.substr(1, field.size() - 2));
    }
    if (field.empty()) {
        return "expected a number, found an empty field";
    }
    char buffer[64];
    if (field.size() >= sizeof buffer) {
        return "expected a number, found \"" + std::string(field.substr(0, 32)) + "...\"";
    }
    std::size_t length = 0;
    for (std::size_t k = field.front() == '+' ? 1 : 0; k < field.size(); ++k) {
        buffer[length++] = decimalComma && field[k] == ',' ? '.' : field[k];
    }
    auto [end, status] = std::from_chars(buffer, buffer + length, value);
    if (status == std::errc::result_out_of_range) {
        return "expected a number within range, found \"" + std::string(field) + "\"";
    }
    if (status != std::errc() || end != buffer + length || !std::isfinite(value)) {
        return "expected a number, found \"" + std::string(field) + "\"";
    }
    return {};
}

}  // namespace korvane
