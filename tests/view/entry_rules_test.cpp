#include <gtest/gtest.h>

#include "support/param_name.h"

#include "engine/wave_type.h"
#include "view/entry/entry_filter.h"
#include "view/entry/num_entry.h"
#include "view/entry/step_entry.h"

namespace korvane {
namespace {

TEST(EntryFilter, PassesDigitsSignsPointAndBackspaceOnly) {
    for (char32_t c : U"0123456789.-+\b") {
        if (c != 0) {
            EXPECT_TRUE(IsEntryCharacter(c)) << static_cast<int>(c);
        }
    }
    for (char32_t c :
         {U'a', U'E', U' ', U',', U'\x03', U'\x16', U'\x18', U'\r', U'\x1a', U'\u00bd'}) {
        EXPECT_FALSE(IsEntryCharacter(c)) << static_cast<int>(c);
    }
}

struct ClampCase {
    int kind;
    int waveType;
    double value;
    double expected;
};

class ClampByKindTest : public ::testing::TestWithParam<ClampCase> {};

// Each kind takes its range from the channel rules (whose own tests cover the ranges); other
// kinds are not limited.
TEST_P(ClampByKindTest, ReplacesAValueOutsideItsRangeByTheLimit) {
    const ClampCase& c = GetParam();
    EXPECT_DOUBLE_EQ(ClampByKind(c.value, c.kind, c.waveType), c.expected)
        << "kind " << c.kind << " wave " << c.waveType << " value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Table, ClampByKindTest,
                         ::testing::Values(ClampCase{FrequencyEntry, Sine, 80e6, 75e6},
                                           ClampCase{FrequencyEntry, Square, 30e6, 25e6},
                                           ClampCase{AmplitudeEntry, Sine, 3.6, 3.5},
                                           ClampCase{OffsetEntry, Sine, -7.5, -7.0},
                                           ClampCase{PhaseEntry, Sine, 1.2, 1.0},
                                           ClampCase{7, Sine, -1e9, -1e9},
                                           ClampCase{7, Sine, 1e12, 1e12}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName("kind", p.kind, test::WaveName(p.waveType),
                                                    p.value);
                         });

struct TextCase {
    int kind;
    int freqUnit;
    int voltUnit;
    double value;
    const char* expected;
};

class StepValueTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(StepValueTextTest, ShowsTheValueInItsUnit) {
    const TextCase& c = GetParam();
    EXPECT_EQ(StepValueText(c.value, c.kind, c.freqUnit, c.voltUnit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, StepValueTextTest,
                         ::testing::Values(TextCase{FrequencyEntry, 0, 1, 1000.0, "1000.000"},
                                           TextCase{FrequencyEntry, 1, 1, 1500.0, "1.500"},
                                           TextCase{FrequencyEntry, 2, 1, 25000000.0, "25.000000"},
                                           TextCase{FrequencyEntry, 2, 1, 1234.0, "0.001234"},
                                           TextCase{AmplitudeEntry, 0, 0, 2.0, "2000.000"},
                                           TextCase{AmplitudeEntry, 0, 1, 2.0, "2.000"},
                                           TextCase{OffsetEntry, 0, 0, -0.25, "-250.000"},
                                           TextCase{OffsetEntry, 2, 1, -0.25, "-0.250"},
                                           TextCase{PhaseEntry, 2, 0, 0.5, "0.500"},
                                           TextCase{9, 1, 0, 12.0, "12.000"}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName("kind", p.kind, "gives", p.expected);
                         });

TEST(StepEntry, StepsUpByTheChosenWeight) {
    StepEntry entry;
    entry.m_dValue = 1000.0;
    entry.m_fStep = 10.0f;
    entry.Step(+1, Sine);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 1010.0);
    entry.Step(-3, Sine);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 980.0);
    EXPECT_EQ(entry.ValueText(), "980.000");
    EXPECT_FLOAT_EQ(entry.m_fStep, 10.0f);
}

TEST(StepEntry, SteppingOneHertzDownShrinksTheStepThenClamps) {
    StepEntry entry;
    entry.m_dValue = 1.0;
    entry.Step(-1, Sine);
    EXPECT_FLOAT_EQ(entry.m_fStep, 0.1f);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 1.0);  // 0.9 Hz is below the lower limit
}

TEST(StepEntry, AmplitudeApproachesZeroWithoutReachingIt) {
    StepEntry entry;
    entry.m_nKind = AmplitudeEntry;
    entry.m_dValue = 0.001;
    entry.m_fStep = 0.001f;
    entry.Step(-1, Sine);
    EXPECT_NEAR(entry.GetValue(), 0.0009, 1e-9);
    EXPECT_GT(entry.GetValue(), 0.0);
}

TEST(StepEntry, OffsetStepsThroughZeroWithItsStepKept) {
    StepEntry entry;
    entry.m_nKind = OffsetEntry;
    entry.m_dValue = 0.5;
    entry.m_fStep = 1.0f;
    entry.Step(-1, Sine);
    EXPECT_DOUBLE_EQ(entry.GetValue(), -0.5);
    EXPECT_FLOAT_EQ(entry.m_fStep, 1.0f);
    entry.Step(-10, Sine);
    EXPECT_DOUBLE_EQ(entry.GetValue(), -7.0);
}

TEST(StepEntry, PhaseNeverStepsAWholePeriod) {
    StepEntry entry;
    entry.m_nKind = PhaseEntry;
    entry.m_dValue = 0.5;
    entry.m_fStep = 1.0f;
    entry.Step(+1, Sine);
    EXPECT_FLOAT_EQ(entry.m_fStep, 0.1f);
    EXPECT_NEAR(entry.GetValue(), 0.6, 1e-6);
    entry.Step(+10, Sine);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 1.0);
}

TEST(StepEntry, FrequencyAboveTheWaveTypesLimitIsClampedWhenStepping) {
    StepEntry entry;
    entry.m_dValue = 24999999.0;
    entry.m_fStep = 10.0f;
    entry.Step(+1, Square);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 25e6);
    entry.m_dValue = 24999999.0;
    entry.Step(+1, Sine);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 25000009.0);
}

TEST(StepEntry, OneHertzStepsStayExactAboveSixteenMegahertz) {
    StepEntry entry;
    entry.m_dValue = 20000000.0;
    entry.Step(+1, Sine);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 20000001.0);
}

struct DigitCase {
    const char* text;
    int position;
    int selected;
    float step;
};

class ChooseDigitTest : public ::testing::TestWithParam<DigitCase> {};

TEST_P(ChooseDigitTest, TheStepIsTheWeightOfTheDigit) {
    const DigitCase& c = GetParam();
    std::optional<DigitChoice> choice = ChooseDigit(c.text, c.position);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->position, c.selected);
    EXPECT_FLOAT_EQ(choice->step, c.step);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChooseDigitTest,
    ::testing::Values(DigitCase{"12.345", 5, 5, 0.001f}, DigitCase{"12.345", 0, 0, 10.0f},
                      DigitCase{"12.345", 1, 1, 1.0f},
                      DigitCase{"12.345", 2, 3, 0.1f},    // the point: next
                      DigitCase{"12.345", 6, 5, 0.001f},  // past the end
                      DigitCase{"1000", 3, 3, 1.0f}, DigitCase{"1000", 4, 3, 1.0f},
                      DigitCase{"1000", 0, 0, 1000.0f}, DigitCase{"25.000000", 8, 8, 1e-6f}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName(p.text, "at", p.position);
    });

TEST(ChooseDigit, AnEmptyTextOffersNoDigit) {
    EXPECT_FALSE(ChooseDigit("", 0).has_value());
}

TEST(StepEntry, ADoubleClickSetsTheStepAndTheCaret) {
    StepEntry entry;
    ASSERT_EQ(entry.ChooseDigitAt("1000.000", 2), 2);
    EXPECT_FLOAT_EQ(entry.m_fStep, 10.0f);
    EXPECT_FLOAT_EQ(entry.m_fCaret, 2.0f);
    entry.Step(+1, Sine);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 1010.0);
}

TEST(NumEntry, BaseUnitsClampTheValueButNotTheText) {
    NumEntry entry;
    entry.Parse("1.7");
    EXPECT_FLOAT_EQ(entry.m_fValue, 1.0f);
    EXPECT_DOUBLE_EQ(entry.GetValue(), 1.0);
    EXPECT_EQ(entry.ValueText(), "1.000");
    EXPECT_TRUE(entry.ReformatsOnFocusLoss());
    entry.Parse("-3");
    EXPECT_FLOAT_EQ(entry.m_fValue, 0.0f);
    entry.Parse("abc");
    EXPECT_FLOAT_EQ(entry.m_fValue, 0.0f);
}

TEST(NumEntry, ThousandthsShowThreeDecimalsFewer) {
    NumEntry entry;
    entry.m_bFixedUnit = 0;
    entry.m_bBaseUnit = 0;
    entry.m_nDecimals = 8;
    entry.m_fMax = 10.0f;
    entry.StoreValue(0.002f);
    EXPECT_EQ(entry.ValueText(), "2.00000");
    EXPECT_NEAR(entry.GetValue(), 0.002, 1e-9);
    EXPECT_FALSE(entry.ReformatsOnFocusLoss());
}

TEST(NumEntry, ThousandthsBoundsAreScaled) {
    NumEntry entry;
    entry.m_bFixedUnit = 0;
    entry.m_bBaseUnit = 0;
    entry.m_fMin = 0.0f;
    entry.m_fMax = 0.5f;
    entry.Parse("700");
    EXPECT_FLOAT_EQ(entry.m_fValue, 500.0f);
    EXPECT_NEAR(entry.GetValue(), 0.5, 1e-9);
    entry.Parse("250");
    EXPECT_NEAR(entry.GetValue(), 0.25, 1e-9);
}

TEST(NumEntry, AFixedUnitIgnoresTheBaseUnitFlag) {
    NumEntry entry;
    entry.m_bBaseUnit = 0;  // m_bFixedUnit stays set: still base units
    entry.StoreValue(0.25f);
    EXPECT_EQ(entry.ValueText(), "0.250");
    EXPECT_DOUBLE_EQ(entry.GetValue(), 0.25);
}

}  // namespace
}  // namespace korvane
