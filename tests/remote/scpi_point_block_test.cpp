// Point tables as REAL,32 blocks, in both byte orders, and the points a table may hold.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "remote/scpi_point_block.h"
#include "scpi_fixture.h"

namespace korvane::scpi {
namespace {

using testing::ScpiBench;

// 1.0f is 3F 80 00 00, -0.5f is BF 00 00 00.
const std::string kBigEndian("\x3f\x80\x00\x00\xbf\x00\x00\x00", 8);
const std::string kLittleEndian("\x00\x00\x80\x3f\x00\x00\x00\xbf", 8);

TEST(ScpiReal32, EncodesAndDecodesBothByteOrders) {
    const std::vector<float> values{1.0f, -0.5f};
    EXPECT_EQ(EncodeReal32Block(values, false), "#18" + kBigEndian);
    EXPECT_EQ(EncodeReal32Block(values, true), "#18" + kLittleEndian);
    std::vector<float> decoded;
    ASSERT_TRUE(DecodeReal32(kLittleEndian, true, decoded));
    EXPECT_EQ(decoded, values);
    ASSERT_TRUE(DecodeReal32(kBigEndian, false, decoded));
    EXPECT_EQ(decoded, values);
    EXPECT_FALSE(DecodeReal32("abc", false, decoded));
}

struct OrderCase {
    const char* name;
    const char* order;
    std::string bytes;
};

class ScpiPointBlock : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ScpiPointBlock, LoadsAndAnswersTheTable) {
    ScpiBench bench;
    EXPECT_EQ(bench.Run(std::string("FORM:BORD ") + GetParam().order + ";BORD?"),
              std::string(GetParam().order).substr(0, 4) + "\n");
    // The command after the block still runs.
    EXPECT_EQ(bench.Run("SOUR2:DATA:ARB #18" + GetParam().bytes + ";FREQ?"), "1000\n");
    EXPECT_EQ(bench.Run("SOUR2:DATA:ARB?;FUNC?"), "1,-0.5;USER\n");
    EXPECT_EQ(bench.Run("FORM REAL,32;FORM?"), "REAL,32\n");
    EXPECT_EQ(bench.Run("SOUR2:DATA:ARB?"), "#18" + GetParam().bytes + "\n");
    EXPECT_EQ(bench.Run("FORM ASC;:SOUR2:DATA:ARB?"), "1,-0.5\n");
    EXPECT_EQ(bench.NextError(), "0,\"No error\"\n");
}

INSTANTIATE_TEST_SUITE_P(Orders, ScpiPointBlock,
                         ::testing::Values(OrderCase{"Normal", "NORM", kBigEndian},
                                           OrderCase{"Swapped", "SWAP", kLittleEndian}),
                         [](const ::testing::TestParamInfo<OrderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ScpiPointBlock, BytesThatLookLikeCommandsAreData) {
    ScpiBench bench;
    // Eight bytes that would read as a command, a newline and a separator outside a block.
    std::string bytes = "FREQ 5\n;";
    std::vector<float> values;
    ASSERT_TRUE(DecodeReal32(bytes, false, values));
    bench.Run("SOUR2:DATA:ARB #18" + bytes);
    EXPECT_EQ(bench.Run("SOUR2:FREQ?"), "1000\n");
    // Whatever the bytes decode to, they are either taken as points or refused as a whole.
    const std::string error = bench.NextError();
    EXPECT_TRUE(error == "0,\"No error\"\n" || error == "-222,\"Data out of range\"\n") << error;
}

struct BadTableCase {
    const char* name;
    std::string parameters;
    std::string error;
};

class ScpiBadPoints : public ::testing::TestWithParam<BadTableCase> {};

std::string Real32Block(std::vector<float> values) {
    return EncodeReal32Block(values, false);
}

TEST_P(ScpiBadPoints, ChangeNothing) {
    ScpiBench bench;
    bench.Run("SOUR2:DATA:ARB 0.5,0.25");
    bench.Run("SOUR2:FUNC SIN");
    bench.Run("SOUR2:DATA:ARB " + GetParam().parameters);
    EXPECT_EQ(bench.NextError(), GetParam().error + "\n");
    EXPECT_EQ(bench.Run("SOUR2:DATA:ARB?;FUNC?"), "0.5,0.25;SIN\n");
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ScpiBadPoints,
    ::testing::Values(BadTableCase{"AboveFullScale", "1,3.6", "-222,\"Data out of range\""},
                      BadTableCase{"BelowFullScale", "-3.5001", "-222,\"Data out of range\""},
                      BadTableCase{"NotANumberInABlock",
                                   Real32Block({1.0f, std::numeric_limits<float>::quiet_NaN()}),
                                   "-222,\"Data out of range\""},
                      BadTableCase{"InfinityInABlock",
                                   Real32Block({std::numeric_limits<float>::infinity()}),
                                   "-222,\"Data out of range\""},
                      BadTableCase{"PartOfAValue", "#15abcde", "-161,\"Invalid block data\""},
                      BadTableCase{"EmptyBlock", "#10", "-109,\"Missing parameter\""},
                      BadTableCase{"TooManyPointsInABlock",
                                   Real32Block(std::vector<float>(4097, 0.0f)),
                                   "-223,\"Too much data\""}),
    [](const ::testing::TestParamInfo<BadTableCase>& info) {
        return std::string(info.param.name);
    });

TEST(ScpiPointBlock, FullScalePointsAreTaken) {
    ScpiBench bench;
    bench.Run("SOUR2:DATA:ARB " + Real32Block({3.5f, -3.5f, 0.0f}));
    EXPECT_EQ(bench.Run("SOUR2:DATA:ARB?"), "3.5,-3.5,0\n");
}

TEST(ScpiFormat, RefusesWhatItDoesNotOffer) {
    ScpiBench bench;
    bench.Run("FORM REAL,64");
    EXPECT_EQ(bench.NextError(), "-224,\"Illegal parameter value\"\n");
    bench.Run("FORM INT");
    EXPECT_EQ(bench.NextError(), "-224,\"Illegal parameter value\"\n");
    EXPECT_EQ(bench.Run("FORM REAL;FORM?;*RST;FORM?"), "REAL,32;ASC\n");
}

}  // namespace
}  // namespace korvane::scpi
