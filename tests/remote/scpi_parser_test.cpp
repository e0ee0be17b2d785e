#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "remote/scpi_error_queue.h"
#include "remote/scpi_message.h"
#include "remote/scpi_parameter.h"

namespace korvane::scpi {
namespace {

struct UnitCase {
    std::string text;
    int error;
    bool common;
    bool absolute;
    bool query;
    std::vector<std::string> nodes;  // mnemonic, with "#n" when a suffix was typed
    std::vector<std::string> parameters;
};

std::vector<std::string> NodeTexts(const ProgramUnit& unit) {
    std::vector<std::string> texts;
    for (const HeaderNode& node : unit.nodes) {
        texts.push_back(node.hasSuffix ? node.mnemonic + "#" + std::to_string(node.suffix)
                                       : node.mnemonic);
    }
    return texts;
}

TEST(ScpiParseUnit, SplitsHeaderAndParameters) {
    const std::vector<UnitCase> cases = {
        {"*IDN?", 0, true, false, true, {"IDN"}, {}},
        {"*rst", 0, true, false, false, {"RST"}, {}},
        {":SOUR2:FREQ 1kHz", 0, false, true, false, {"SOUR#2", "FREQ"}, {"1kHz"}},
        {"freq? max", 0, false, false, true, {"FREQ"}, {"max"}},
        {"  OUTP1:STAT   ON  ", 0, false, false, false, {"OUTP#1", "STAT"}, {"ON"}},
        {"DATA:ARB 1, -2.5 ,3", 0, false, false, false, {"DATA", "ARB"}, {"1", "-2.5", "3"}},
        {"X \"a,b\",'c'", 0, false, false, false, {"X"}, {"\"a,b\"", "'c'"}},
        {"", 0, false, false, false, {}, {}},
        {"FREQ,1", kInvalidSeparator, false, false, false, {"FREQ"}, {}},
        {"FREQ 1,,2", kMissingParameter, false, false, false, {"FREQ"}, {}},
        {"FREQ 1,", kMissingParameter, false, false, false, {"FREQ"}, {}},
        {"X \"open", kSyntaxError, false, false, false, {"X"}, {}},
        {"SOUR0:FREQ 1", kHeaderSuffixOutOfRange, false, false, false, {}, {}},
        {"SOUR99999999:FREQ 1", kHeaderSuffixOutOfRange, false, false, false, {}, {}},
        {"FREQ\x01 1", kInvalidCharacter, false, false, false, {}, {}},
        {"FREQ \xc3\xa9", kInvalidCharacter, false, false, false, {}, {}},
        {"FREQ::VOLT", kSyntaxError, false, false, false, {"FREQ"}, {}},
        {"1FREQ", kSyntaxError, false, false, false, {}, {}},
        {"*", kCommandError, true, false, false, {}, {}},
        {"FREQ?1", kSyntaxError, false, false, true, {"FREQ"}, {}},
    };
    for (const UnitCase& c : cases) {
        SCOPED_TRACE(c.text);
        ParsedUnit parsed = ParseUnit(c.text);
        EXPECT_EQ(parsed.error, c.error);
        if (c.error != 0) {
            continue;
        }
        EXPECT_EQ(parsed.unit.common, c.common);
        EXPECT_EQ(parsed.unit.absolute, c.absolute);
        EXPECT_EQ(parsed.unit.query, c.query);
        EXPECT_EQ(NodeTexts(parsed.unit), c.nodes);
        EXPECT_EQ(parsed.unit.parameters, c.parameters);
    }
}

TEST(ScpiParseUnit, SemicolonsInsideQuotesDoNotEndAUnit) {
    const std::string line = "A 'x;y';B;C";
    std::size_t end = NextUnitEnd(line, 0);
    EXPECT_EQ(line.substr(0, end), "A 'x;y';");
    std::size_t next = NextUnitEnd(line, end);
    EXPECT_EQ(line.substr(end, next - end), "B;");
    EXPECT_EQ(NextUnitEnd(line, next), line.size());
}

TEST(ScpiMnemonic, ShortAndLongFormsInAnyCase) {
    struct Case {
        std::string typed;
        bool matches;
    };
    for (const Case& c : std::vector<Case>{{"FREQ", true},
                                           {"FREQUENCY", true},
                                           {"FREQU", false},
                                           {"FRE", false},
                                           {"F", false},
                                           {"FREQUENCYX", false}}) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(MnemonicMatches(c.typed, "FREQuency"), c.matches);
    }
    EXPECT_TRUE(MnemonicMatches("RAMP", "RAMP"));
}

struct NumericCase {
    std::string text;
    UnitRule rule;
    int error;
    Numeric::Kind kind;
    double value;
};

TEST(ScpiNumeric, UnitsMultipliersAndLimits) {
    const UnitRule hz{"HZ"};
    const UnitRule volt{"V"};
    const UnitRule ms{"S", 1000.0};
    const UnitRule fraction{"", 1.0, true};
    const UnitRule plain{};
    const std::vector<NumericCase> cases = {
        {"1000", hz, 0, Numeric::Value, 1000.0},
        {"1kHz", hz, 0, Numeric::Value, 1000.0},
        {"1 KHZ", hz, 0, Numeric::Value, 1000.0},
        {"2.5MHZ", hz, 0, Numeric::Value, 2.5e6},
        {"2.5mhz", hz, 0, Numeric::Value, 2.5e6},
        {"3MAHZ", hz, 0, Numeric::Value, 3e6},
        {"1GHZ", hz, 0, Numeric::Value, 1e9},
        {"200mV", volt, 0, Numeric::Value, 0.2},
        {"-1.5e-1V", volt, 0, Numeric::Value, -0.15},
        {"5UV", volt, 0, Numeric::Value, 5e-6},
        {"+.5", plain, 0, Numeric::Value, 0.5},
        {"1e3", plain, 0, Numeric::Value, 1000.0},
        {"100", ms, 0, Numeric::Value, 100.0},
        {"100ms", ms, 0, Numeric::Value, 100.0},
        {"0.2S", ms, 0, Numeric::Value, 200.0},
        {"25PCT", fraction, 0, Numeric::Value, 0.25},
        {"0.3", fraction, 0, Numeric::Value, 0.3},
        {"#HFF", plain, 0, Numeric::Value, 255.0},
        {"#h801", plain, 0, Numeric::Value, 2049.0},
        {"#B101", plain, 0, Numeric::Value, 5.0},
        {"#Q17", plain, 0, Numeric::Value, 15.0},
        {"MIN", hz, 0, Numeric::Minimum, 0.0},
        {"minimum", hz, 0, Numeric::Minimum, 0.0},
        {"Max", hz, 0, Numeric::Maximum, 0.0},
        {"", hz, kMissingParameter, Numeric::Value, 0.0},
        {"abc", hz, kDataTypeError, Numeric::Value, 0.0},
        {"'1'", hz, kDataTypeError, Numeric::Value, 0.0},
        {"1.2.3", plain, kInvalidCharacterInNumber, Numeric::Value, 0.0},
        {"1-", plain, kInvalidCharacterInNumber, Numeric::Value, 0.0},
        {".", plain, kNumericDataError, Numeric::Value, 0.0},
        {"-", plain, kNumericDataError, Numeric::Value, 0.0},
        {"1kV", hz, kInvalidSuffix, Numeric::Value, 0.0},
        {"1XHZ", hz, kInvalidSuffix, Numeric::Value, 0.0},
        {"1E", hz, kInvalidSuffix, Numeric::Value, 0.0},
        {"1HZ", plain, kSuffixNotAllowed, Numeric::Value, 0.0},
        {"1e999", plain, kExponentTooLarge, Numeric::Value, 0.0},
        {"1e300GHZ", hz, kExponentTooLarge, Numeric::Value, 0.0},
        {"inf", plain, kDataTypeError, Numeric::Value, 0.0},
        {"nan", plain, kDataTypeError, Numeric::Value, 0.0},
        {"#HXYZ", plain, kInvalidCharacterInNumber, Numeric::Value, 0.0},
        {"#H", plain, kInvalidCharacterInNumber, Numeric::Value, 0.0},
        {"#Z12", plain, kNumericDataError, Numeric::Value, 0.0},
        {"#HFFFFFFFFFFFFFFFFFF", plain, kDataOutOfRange, Numeric::Value, 0.0},
    };
    for (const NumericCase& c : cases) {
        SCOPED_TRACE(c.text);
        Numeric number;
        EXPECT_EQ(ParseNumeric(c.text, c.rule, number), c.error);
        if (c.error == 0) {
            EXPECT_EQ(number.kind, c.kind);
            EXPECT_DOUBLE_EQ(number.value, c.value);
        }
    }
}

TEST(ScpiBoolean, WordsAndNumbers) {
    struct Case {
        std::string text;
        int error;
        int value;
    };
    for (const Case& c : std::vector<Case>{{"ON", 0, 1},
                                           {"off", 0, 0},
                                           {"1", 0, 1},
                                           {"0", 0, 0},
                                           {"0.4", 0, 0},
                                           {"0.5", 0, 1},
                                           {"-2", 0, 1},
                                           {"maybe", kIllegalParameterValue, 0},
                                           {"1V", kSuffixNotAllowed, 0}}) {
        SCOPED_TRACE(c.text);
        int value = -1;
        EXPECT_EQ(ParseBoolean(c.text, value), c.error);
        if (c.error == 0) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(ScpiChoice, ShortAndLongWords) {
    const std::vector<Choice> choices = {{"POSitive", 1}, {"NEGative", 0}};
    int value = -1;
    EXPECT_EQ(ParseChoice("neg", choices, value), 0);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(ParseChoice("Positive", choices, value), 0);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(ParseChoice("POSI", choices, value), kIllegalParameterValue);
    EXPECT_EQ(ParseChoice("1", choices, value), kDataTypeError);
}

TEST(ScpiErrorQueue, OldestFirstNoErrorWhenEmpty) {
    ErrorQueue queue;
    EXPECT_EQ(queue.Pop(), "0,\"No error\"");
    queue.Push(kUndefinedHeader);
    queue.Push(kDataOutOfRange);
    EXPECT_EQ(queue.Count(), 2u);
    EXPECT_EQ(queue.Pop(), "-113,\"Undefined header\"");
    EXPECT_EQ(queue.Pop(), "-222,\"Data out of range\"");
    EXPECT_EQ(queue.Pop(), "0,\"No error\"");
}

TEST(ScpiErrorQueue, OverflowKeepsTheOldestAndSaysSo) {
    ErrorQueue queue;
    for (int i = 0; i < 40; ++i) {
        queue.Push(kSyntaxError);
    }
    EXPECT_EQ(queue.Count(), ErrorQueue::kCapacity);
    for (std::size_t i = 0; i + 1 < ErrorQueue::kCapacity; ++i) {
        EXPECT_EQ(queue.Pop(), "-102,\"Syntax error\"");
    }
    EXPECT_EQ(queue.Pop(), "-350,\"Queue overflow\"");
    EXPECT_EQ(queue.Count(), 0u);
}

}  // namespace
}  // namespace korvane::scpi
