// Definite-length blocks: "#<digits><length><bytes>" is one parameter, whatever its bytes are.
#include <gtest/gtest.h>

#include <string>

#include "remote/scpi_error_queue.h"
#include "remote/scpi_message.h"

namespace korvane::scpi {
namespace {

using namespace std::string_literals;

constexpr std::size_t kNotYet = std::string_view::npos;

struct EndCase {
    const char* name;
    std::string input;
    std::size_t end;  // MessageEnd
};

class ScpiMessageEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(ScpiMessageEnd, FindsTheNewlineOutsideBlocks) {
    EXPECT_EQ(MessageEnd(GetParam().input), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ScpiMessageEnd,
    ::testing::Values(EndCase{"Plain", "FREQ 5\nVOLT 1\n", 6},
                      EndCase{"NotArrived", "FREQ 5", kNotYet},
                      EndCase{"NewlineInsideABlock", "DATA:ARB #14a\nbc\nFREQ 5\n", 16},
                      EndCase{"BlockNotArrived", "DATA:ARB #18abc\n", kNotYet},
                      EndCase{"LengthNotArrived", "DATA:ARB #3", kNotYet},
                      EndCase{"BlockAfterAComma", "X 1,#12\n\n\n", 9},
                      // A '#' inside a word or followed by a letter starts no block.
                      EndCase{"RadixNumber", "DIG:OUTP #H1F\n", 13},
                      EndCase{"HashInsideAWord", "A#15\nxyz\n", 4},
                      EndCase{"ZeroDigitsIsNoBlock", "A #0\n", 4}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

struct BeyondCase {
    const char* name;
    std::string input;
    std::size_t end;  // BlockEndBeyond with a limit of 20 bytes
};

class ScpiBlockEndBeyond : public ::testing::TestWithParam<BeyondCase> {};

TEST_P(ScpiBlockEndBeyond, FindsABlockTooLongAsSoonAsItsHeaderArrives) {
    EXPECT_EQ(BlockEndBeyond(GetParam().input, 20), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ScpiBlockEndBeyond,
    ::testing::Values(BeyondCase{"HeaderOnly", "DATA:ARB #3100", 9 + 5 + 100},
                      BeyondCase{"NineDigits", "DATA:ARB #9999999999", 9 + 11 + 999999999},
                      BeyondCase{"EndsAtTheLimit", "DATA:ARB #18", 0},
                      BeyondCase{"OneByteBeyond", "DATA:ARB #19", 21},
                      BeyondCase{"HeaderNotArrived", "DATA:ARB #3", 0},
                      BeyondCase{"SecondBlock", "X #12ab,#250", 8 + 4 + 50},
                      BeyondCase{"AfterTheMessageEnd", "FREQ 5\nDATA:ARB #3100", 0},
                      BeyondCase{"RadixNumber", "DIG:OUTP #H1F", 0},
                      BeyondCase{"NoBlock", std::string(40, 'A'), 0}),
    [](const ::testing::TestParamInfo<BeyondCase>& info) { return std::string(info.param.name); });

struct UnitCase {
    const char* name;
    std::string text;
    int error;
    std::vector<std::string> parameters;
};

class ScpiBlockUnit : public ::testing::TestWithParam<UnitCase> {};

TEST_P(ScpiBlockUnit, IsOneParameterTakenExactly) {
    const std::string& text = GetParam().text;
    const ParsedUnit parsed = ParseUnit(std::string_view(text).substr(0, UnitTextEnd(text, 0)));
    EXPECT_EQ(parsed.error, GetParam().error);
    if (GetParam().error == 0) {
        EXPECT_EQ(parsed.unit.parameters, GetParam().parameters);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Units, ScpiBlockUnit,
    ::testing::Values(UnitCase{"BinaryBytes", "DATA:ARB #15\x01\n;,\x7f", 0, {"#15\x01\n;,\x7f"}},
                      // The block's last bytes are blanks: they are data, not trimmed.
                      UnitCase{"TrailingBlanksAreData", "DATA:ARB #13a  ", 0, {"#13a  "}},
                      UnitCase{"ZeroBytes", "DATA:ARB #14\0\0\0\0"s, 0, {"#14\0\0\0\0"s}},
                      UnitCase{"BlankAfterTheBlock", "DATA:ARB #12ab \r", 0, {"#12ab"}},
                      UnitCase{"BlockThenNumber", "X #12ab, 5", 0, {"#12ab", "5"}},
                      UnitCase{"NumberThenBlock", "X 5,#11;", 0, {"5", "#11;"}},
                      UnitCase{"TextAfterTheBlock", "DATA:ARB #12abc", kInvalidBlockData, {}},
                      UnitCase{"ShortBlock", "DATA:ARB #19abc", kInvalidBlockData, {}},
                      UnitCase{
                          "ControlByteOutsideABlock", "DATA:ARB 1\x01", kInvalidCharacter, {}}),
    [](const ::testing::TestParamInfo<UnitCase>& info) { return std::string(info.param.name); });

TEST(ScpiBlock, TheUnitEndsAfterTheBlockNotAtASemicolonInside) {
    const std::string line = "DATA:ARB #13;;;;FREQ?";
    EXPECT_EQ(UnitTextEnd(line, 0), 15u);
    EXPECT_EQ(NextUnitEnd(line, 0), 16u);
}

TEST(ScpiBlock, BytesOfAWholeBlockOnly) {
    std::string_view bytes;
    ASSERT_TRUE(BlockBytes("#212abcdefghijkl", bytes));
    EXPECT_EQ(bytes, "abcdefghijkl");
    EXPECT_FALSE(BlockBytes("#13ab", bytes));
    EXPECT_FALSE(BlockBytes("#13abcd", bytes));
    EXPECT_FALSE(BlockBytes("1.5", bytes));
    EXPECT_FALSE(BlockBytes("#H1F", bytes));
}

}  // namespace
}  // namespace korvane::scpi
