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

// The whole length of the definite-length block "#<n><length><bytes>" starting at text[at]: 0 when
// no block starts there, npos when its bytes have not all arrived. A block starts a parameter:
// its '#' follows a blank or a ','. Its bytes are data, never commands or separators.
std::size_t BlockLength(std::string_view text, std::size_t at);

// The bytes of a parameter that is one whole block, or nothing when it is not one.
bool BlockBytes(std::string_view parameter, std::string_view& bytes);

// The end (the position just past its last byte) of the first block of the message at the start
// of `input` that reaches beyond `limit` bytes from the start, as soon as its header has arrived;
// 0 when there is none so far, or when the message ends before such a block.
std::size_t BlockEndBeyond(std::string_view input, std::size_t limit);

// Where the message at the start of `input` ends: the position of its terminating '\n', which is
// the first one outside a block; npos while it has not arrived.
std::size_t MessageEnd(std::string_view input);

// The position of the next ';' that is not inside a quoted string or a block, starting at `from`,
// or the end of `line`: the unit is line[from, UnitTextEnd).
std::size_t UnitTextEnd(std::string_view line, std::size_t from);
// The position just past that ';' (or the end of `line`): where the next unit starts.
std::size_t NextUnitEnd(std::string_view line, std::size_t from);

// Parses one unit. Empty text (blanks only) gives a unit with no nodes and no error.
ParsedUnit ParseUnit(std::string_view text);

// Case-insensitive match of a typed mnemonic against a pattern word such as "FREQuency": the
// upper-case part is the short form, the whole word the long form; nothing in between matches.
bool MnemonicMatches(std::string_view typedUpper, std::string_view pattern);

}  // namespace korvane::scpi
