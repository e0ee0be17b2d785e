#include "remote/scpi_message.h"

#include <cctype>

#include "remote/scpi_error_queue.h"

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

// The length the header of the block whose '#' is at text[at] declares, header included,
// whatever precedes it: 0 when no block starts there, npos while the header has not all arrived.
std::size_t DeclaredBlock(std::string_view text, std::size_t at) {
    if (at + 1 >= text.size() || text[at] != '#' || text[at + 1] < '1' || text[at + 1] > '9') {
        return 0;
    }
    const auto digits = static_cast<std::size_t>(text[at + 1] - '0');
    if (at + 2 + digits > text.size()) {
        return std::string_view::npos;
    }
    std::size_t length = 0;
    for (std::size_t i = at + 2; i < at + 2 + digits; ++i) {
        if (!IsDigit(text[i])) {
            return 0;  // not a block: the number parser reports the text
        }
        length = length * 10 + static_cast<std::size_t>(text[i] - '0');
    }
    return 2 + digits + length;  // at most nine digits: no overflow
}

// The length of the block whose '#' is at text[at] (see BlockLength), whatever precedes it.
std::size_t WholeBlock(std::string_view text, std::size_t at) {
    const std::size_t whole = DeclaredBlock(text, at);
    return whole != std::string_view::npos && whole > text.size() - at ? std::string_view::npos
                                                                       : whole;
}

// Whether a block may start at text[at]: its '#' follows a blank or a ','.
bool BlockMayStart(std::string_view text, std::size_t at) {
    return at != 0 && at < text.size() && (IsBlank(text[at - 1]) || text[at - 1] == ',');
}

// Splits text[from..] at the commas outside quoted strings and blocks. Each parameter is trimmed;
// a block is taken exactly, as its last bytes may well be blanks.
int SplitParameters(std::string_view text, std::size_t from, std::vector<std::string>& out) {
    std::size_t i = from;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        const std::size_t block = BlockLength(text, i);
        if (block == std::string_view::npos) {
            return kInvalidBlockData;
        }
        std::string_view parameter;
        if (block != 0) {
            parameter = text.substr(start, block);
            i += block;
            while (i < text.size() && IsBlank(text[i])) {
                ++i;
            }
            if (i < text.size() && text[i] != ',') {
                return kInvalidBlockData;
            }
        } else {
            char quote = 0;
            for (; i < text.size() && (quote != 0 || text[i] != ','); ++i) {
                if (quote != 0 && text[i] == quote) {
                    quote = 0;
                } else if (quote == 0 && (text[i] == '"' || text[i] == '\'')) {
                    quote = text[i];
                }
            }
            if (quote != 0) {
                return kSyntaxError;
            }
            parameter = Trim(text.substr(start, i - start));
        }
        if (parameter.empty()) {
            return kMissingParameter;
        }
        out.emplace_back(parameter);
        if (i == text.size()) {
            return 0;
        }
        ++i;  // the comma
    }
}

// Bytes a command may hold outside blocks: printable ASCII and the blanks.
bool ValidCharacters(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t block = BlockLength(text, i);
        if (block != 0 && block != std::string_view::npos) {
            i += block - 1;
            continue;
        }
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte >= 0x7f) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::size_t BlockLength(std::string_view text, std::size_t at) {
    return BlockMayStart(text, at) ? WholeBlock(text, at) : 0;
}

std::size_t BlockEndBeyond(std::string_view input, std::size_t limit) {
    for (std::size_t i = 0; i < input.size(); ++i) {
        const std::size_t declared = BlockMayStart(input, i) ? DeclaredBlock(input, i) : 0;
        if (declared == std::string_view::npos) {
            return 0;
        }
        if (declared != 0) {
            if (i + declared > limit) {
                return i + declared;
            }
            if (declared > input.size() - i) {
                return 0;
            }
            i += declared - 1;
        } else if (input[i] == '\n') {
            return 0;
        }
    }
    return 0;
}

bool BlockBytes(std::string_view parameter, std::string_view& bytes) {
    const std::size_t whole = WholeBlock(parameter, 0);
    if (whole == 0 || whole != parameter.size()) {
        return false;
    }
    bytes = parameter.substr(2 + static_cast<std::size_t>(parameter[1] - '0'));
    return true;
}

std::size_t MessageEnd(std::string_view input) {
    for (std::size_t i = 0; i < input.size(); ++i) {
        const std::size_t block = BlockLength(input, i);
        if (block == std::string_view::npos) {
            return std::string_view::npos;
        }
        if (block != 0) {
            i += block - 1;
        } else if (input[i] == '\n') {
            return i;
        }
    }
    return std::string_view::npos;
}

std::size_t UnitTextEnd(std::string_view line, std::size_t from) {
    char quote = 0;
    for (std::size_t i = from; i < line.size(); ++i) {
        char c = line[i];
        if (quote == 0) {
            const std::size_t block = BlockLength(line, i);
            if (block == std::string_view::npos) {
                return line.size();
            }
            if (block != 0) {
                i += block - 1;
                continue;
            }
        }
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            return i;
        }
    }
    return line.size();
}

std::size_t NextUnitEnd(std::string_view line, std::size_t from) {
    const std::size_t end = UnitTextEnd(line, from);
    return end < line.size() ? end + 1 : end;
}

ParsedUnit ParseUnit(std::string_view text) {
    ParsedUnit result;
    ProgramUnit& unit = result.unit;
    if (!ValidCharacters(text)) {
        result.error = kInvalidCharacter;
        return result;
    }
    // Only the front is trimmed here: the parameters trim themselves, as a block's last bytes
    // may be blanks.
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
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
    if (Trim(text.substr(pos)).empty()) {
        return result;
    }
    if (!IsBlank(text[pos])) {
        result.error = text[pos] == ',' || text[pos] == ':' ? kInvalidSeparator : kSyntaxError;
        return result;
    }
    result.error = SplitParameters(text, pos, unit.parameters);
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
