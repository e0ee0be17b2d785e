#include "engine/scpi/scpi_message.h"

#include <cctype>

#include "engine/scpi/scpi_error_queue.h"

namespace korvane::scpi {
namespace {

constexpr int kMaxSuffix = 1000000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Reads letters, digits and '_' at `pos`; splits off trailing digits as the suffix.
int ReadNode(std::string_view text, std::size_t& pos, HeaderNode& node) {
    if (pos >= text.size() || !IsLetter(text[pos])) {
        return pos < text.size() && !IsBlank(text[pos]) ? kSyntaxError : kCommandError;
    }
    std::size_t start = pos;
    while (pos < text.size() && (IsLetter(text[pos]) || IsDigit(text[pos]) || text[pos] == '_')) {
        ++pos;
    }
    std::size_t digits = pos;
    while (digits > start && IsDigit(text[digits - 1])) {
        --digits;
    }
    for (std::size_t i = start; i < digits; ++i) {
        node.mnemonic.push_back(
            static_cast<char>(std::toupper(static_cast<unsigned char>(text[i]))));
    }
    if (digits < pos) {
        node.hasSuffix = true;
        long value = 0;
        for (std::size_t i = digits; i < pos; ++i) {
            value = value * 10 + (text[i] - '0');
            if (value > kMaxSuffix) {
                return kHeaderSuffixOutOfRange;
            }
        }
        if (value < 1) {
            return kHeaderSuffixOutOfRange;
        }
        node.suffix = static_cast<int>(value);
    }
    return 0;
}

int SplitParameters(std::string_view text, std::vector<std::string>& out) {
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && quote != 0) {
            if (text[i] == quote) {
                quote = 0;
            }
            continue;
        }
        if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
            quote = text[i];
            continue;
        }
        if (i == text.size() || text[i] == ',') {
            std::string_view parameter = Trim(text.substr(start, i - start));
            if (parameter.empty()) {
                return kMissingParameter;
            }
            out.emplace_back(parameter);
            start = i + 1;
        }
    }
    return quote != 0 ? kSyntaxError : 0;
}

}  // namespace

std::size_t NextUnitEnd(std::string_view line, std::size_t from) {
    char quote = 0;
    for (std::size_t i = from; i < line.size(); ++i) {
        char c = line[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            return i + 1;
        }
    }
    return line.size();
}

ParsedUnit ParseUnit(std::string_view text) {
    ParsedUnit result;
    ProgramUnit& unit = result.unit;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte >= 0x7f) {
            result.error = kInvalidCharacter;
            return result;
        }
    }
    text = Trim(text);
    if (text.empty()) {
        return result;
    }
    std::size_t pos = 0;
    if (text[0] == '*') {
        unit.common = true;
        pos = 1;
    } else if (text[0] == ':') {
        unit.absolute = true;
        pos = 1;
    }
    while (true) {
        HeaderNode node;
        if (int error = ReadNode(text, pos, node); error != 0) {
            result.error = error;
            return result;
        }
        unit.nodes.push_back(std::move(node));
        if (pos < text.size() && text[pos] == ':' && !unit.common) {
            ++pos;
            continue;
        }
        break;
    }
    if (pos < text.size() && text[pos] == '?') {
        unit.query = true;
        ++pos;
    }
    if (pos == text.size()) {
        return result;
    }
    if (!IsBlank(text[pos])) {
        result.error = text[pos] == ',' || text[pos] == ':' ? kInvalidSeparator : kSyntaxError;
        return result;
    }
    result.error = SplitParameters(Trim(text.substr(pos)), unit.parameters);
    return result;
}

bool MnemonicMatches(std::string_view typedUpper, std::string_view pattern) {
    std::size_t shortLength = 0;
    while (shortLength < pattern.size() &&
           !std::islower(static_cast<unsigned char>(pattern[shortLength]))) {
        ++shortLength;
    }
    auto equalsUpper = [&](std::size_t length) {
        if (typedUpper.size() != length) {
            return false;
        }
        for (std::size_t i = 0; i < length; ++i) {
            if (typedUpper[i] != std::toupper(static_cast<unsigned char>(pattern[i]))) {
                return false;
            }
        }
        return true;
    };
    return equalsUpper(shortLength) || equalsUpper(pattern.size());
}

}  // namespace korvane::scpi
