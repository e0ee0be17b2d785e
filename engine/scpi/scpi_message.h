#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane::scpi {

// One node of a command header as typed: "SOUR2" gives mnemonic "SOUR", suffix 2.
struct HeaderNode {
    std::string mnemonic;  // upper case, without the numeric suffix
    int suffix = 1;
    bool hasSuffix = false;
};

// One command of a line (the text between semicolons), split into header and parameters.
struct ProgramUnit {
    bool common = false;    // "*IDN?": one node holding "IDN"
    bool absolute = false;  // a leading ':' starts again from the root
    bool query = false;
    std::vector<HeaderNode> nodes;
    std::vector<std::string> parameters;  // trimmed; quoted strings keep their quotes
};

struct ParsedUnit {
    int error = 0;  // 0, or the error number that refuses the unit
    ProgramUnit unit;
};

// The position just past the next ';' that is not inside a quoted string (or the end of `line`),
// starting at `from`. The unit is then line[from, end - 1) or line[from, end) at the end.
std::size_t NextUnitEnd(std::string_view line, std::size_t from);

// Parses one unit. Empty text (blanks only) gives a unit with no nodes and no error.
ParsedUnit ParseUnit(std::string_view text);

// Case-insensitive match of a typed mnemonic against a pattern word such as "FREQuency": the
// upper-case part is the short form, the whole word the long form; nothing in between matches.
bool MnemonicMatches(std::string_view typedUpper, std::string_view pattern);

}  // namespace korvane::scpi
