#include "formats/str_convert.h"

#include <gtest/gtest.h>

#include "support/param_name.h"

#include <cmath>
#include <string>

namespace korvane {
namespace {

struct DoubleCase {
    const char* text;
    double expected;
};

class TextAsDoubleTest : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(TextAsDoubleTest, ReadsOnlyPlainDecimalText) {
    EXPECT_DOUBLE_EQ(CStrConvert::TextAsDouble(GetParam().text), GetParam().expected)
        << "text '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextAsDoubleTest,
    ::testing::Values(DoubleCase{"12.5", 12.5}, DoubleCase{"-0.25", -0.25}, DoubleCase{".5", 0.5},
                      DoubleCase{"5.", 5.0}, DoubleCase{"0", 0.0}, DoubleCase{"", 0.0},
                      DoubleCase{"-", 0.0}, DoubleCase{".", 0.0}, DoubleCase{"1.2.3", 0.0},
                      DoubleCase{"1e3", 0.0}, DoubleCase{"+3", 0.0}, DoubleCase{" 3", 0.0},
                      DoubleCase{"3 ", 0.0}, DoubleCase{"1,5", 0.0}, DoubleCase{"abc", 0.0},
                      DoubleCase{"1-2", 0.0}, DoubleCase{"--1", 0.0}, DoubleCase{"007.50", 7.5},
                      DoubleCase{"-.5", -0.5}, DoubleCase{"1000000.000000", 1000000.0},
                      DoubleCase{"\xc2\xbd", 0.0}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName("text", p.text);
    });

TEST(TextAsDouble, AnEnormousIntegerOverflowsToInfinityAndAVanishingFractionToZero) {
    std::string huge(400, '9');
    EXPECT_TRUE(std::isinf(CStrConvert::TextAsDouble(huge)));
    EXPECT_LT(CStrConvert::TextAsDouble("-" + huge), 0.0);
    std::string tiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(CStrConvert::TextAsDouble(tiny), 0.0);
}

struct IntCase {
    int radix;
    const char* text;
    int expected;
};

class TextAsIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextAsIntTest, ReadsDigitsOfTheRadixOnly) {
    EXPECT_EQ(CStrConvert::TextAsInt(GetParam().radix, GetParam().text), GetParam().expected)
        << "radix " << GetParam().radix << " text '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextAsIntTest,
    ::testing::Values(IntCase{1, "0042", 42}, IntCase{1, "4 2", 0}, IntCase{1, "", 0},
                      IntCase{1, "-5", 0}, IntCase{1, "+5", 0}, IntCase{1, "1000", 1000},
                      IntCase{1, "4294967295", -1}, IntCase{1, "4294967296", 0},
                      IntCase{1, "2147483648", -2147483647 - 1}, IntCase{0, "ff", 255},
                      IntCase{0, "FF", 255}, IntCase{0, "fg", 0},
                      IntCase{0, "123456789", 0x23456789}, IntCase{2, "101", 5},
                      IntCase{2, "102", 0}, IntCase{2, "111111111111111111111111111111111", -1},
                      IntCase{3, "1", 0}, IntCase{-1, "1", 0}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName("radix", p.radix, p.text);
    });

struct ParseCase {
    const char* text;
    bool valid;
    double value;
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, SaysWhetherTheTextIsANumber) {
    double value = -99.0;
    EXPECT_EQ(ParseNumber(GetParam().text, value), GetParam().valid) << GetParam().text;
    EXPECT_DOUBLE_EQ(value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseNumberTest,
    ::testing::Values(ParseCase{"abc", false, 0.0}, ParseCase{"0.000", true, 0.0},
                      ParseCase{"-", false, 0.0}, ParseCase{"12.5", true, 12.5},
                      ParseCase{"1.2.3", false, 1.2}, ParseCase{"7-", false, 7.0},
                      ParseCase{"", false, 0.0}, ParseCase{"-0", false, 0.0},
                      ParseCase{"1 2", false, 0.0}, ParseCase{"-3.75", true, -3.75}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName("text", p.text);
    });

}  // namespace
}  // namespace korvane
