// The panel's entry fields as a bench user meets them: choosing the step digit in any unit,
// turning the wheel, typing a decimal comma, and a value out of range on Enter or on leaving.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/channel_rules.h"
#include "user_gestures.h"
#include "view/controls/turn_button.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

// ---- the chosen digit and the wheel ----------------------------------------------------------

struct DigitStepCase {
    const char* name;
    bool frequency;     // the frequency field and knob, or the amplitude's
    int unit;           // the index in the field's unit box
    const char* typed;  // the value typed, in that unit
    int digit;          // the character double-clicked
    int notches;        // wheel notches turned on the field's knob
    const char* shown;  // the field afterwards
    double baseValue;   // the channel's value afterwards, Hz or V
};

class DigitStepTest : public FrontPanelTest, public ::testing::WithParamInterface<DigitStepCase> {};

TEST_P(DigitStepTest, OneWheelNotchMovesTheChosenDigitByOne) {
    const DigitStepCase& c = GetParam();
    CStepEdit& field = c.frequency ? *form().frequency : *form().amplitude;
    ChooseUnit(c.frequency ? *form().frequencyUnit : *form().amplitudeUnit, c.unit);
    TypeInto(field, c.typed);
    QTest::keyClick(&field, Qt::Key_Return);
    DoubleClickCharacter(field, c.digit);
    ASSERT_EQ(field.selectedText().size(), 1);

    SendWheel(c.frequency ? *form().frequencyKnob : *form().amplitudeKnob, 120 * c.notches);
    EXPECT_EQ(field.text(), c.shown);
    const double value = c.frequency ? channel().frequency : channel().amplitude;
    EXPECT_NEAR(value, c.baseValue, c.baseValue * 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Units, DigitStepTest,
    ::testing::Values(DigitStepCase{"KilohertzOnes", true, 1, "4.071", 0, 1, "5.071", 5071.0},
                      DigitStepCase{"KilohertzTenths", true, 1, "4.071", 2, 1, "4.171", 4171.0},
                      DigitStepCase{"KilohertzDown", true, 1, "4.071", 0, -1, "3.071", 3071.0},
                      DigitStepCase{"MegahertzOnes", true, 2, "4.071", 0, 1, "5.071000", 5071000.0},
                      DigitStepCase{"MegahertzThousandths", true, 2, "4.071", 4, 2, "4.073000",
                                    4073000.0},
                      DigitStepCase{"HertzOnes", true, 0, "4071", 3, 1, "4072.000", 4072.0},
                      DigitStepCase{"MillivoltsHundreds", false, 0, "1500", 1, 1, "1600.000", 1.6},
                      DigitStepCase{"VoltsTenths", false, 1, "1.5", 2, -1, "1.400", 1.4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrontPanelTest, EachWheelNotchIsOneStep) {
    TypeInto(*form().frequency, "1000");
    for (int notch = 1; notch <= 3; ++notch) {
        SendWheel(*form().frequencyKnob, 120);
        EXPECT_DOUBLE_EQ(channel().frequency, 1000.0 + notch) << "notch " << notch;
    }
    SendWheel(*form().frequencyKnob, -240);
    EXPECT_DOUBLE_EQ(channel().frequency, 1001.0);
}

// ---- the decimal comma -------------------------------------------------------------------------

struct TypedCommaCase {
    const char* name;
    int field;  // 0 frequency (kHz), 1 amplitude (V), 2 offset (V), 3 phase
    const char* typed;
    const char* shown;
    double value;  // the channel's value, Hz, V or periods
};

class DecimalCommaTest : public FrontPanelTest,
                         public ::testing::WithParamInterface<TypedCommaCase> {
  protected:
    CStepEdit& Field(int which) {
        CStepEdit* fields[] = {form().frequency, form().amplitude, form().offset, form().phase};
        return *fields[which];
    }
    double Value(int which) {
        switch (which) {
            case 0:
                return channel().frequency;
            case 1:
                return channel().amplitude;
            case 2:
                return channel().offset;
            default:
                return ReadShape(channel(), ShapeValue::Phase);
        }
    }
};

TEST_P(DecimalCommaTest, ATypedCommaIsADecimalPoint) {
    const TypedCommaCase& c = GetParam();
    ChooseUnit(*form().frequencyUnit, 1);
    TypeInto(Field(c.field), c.typed);
    EXPECT_EQ(Field(c.field).text(), c.shown);
    EXPECT_NEAR(Value(c.field), c.value, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Fields, DecimalCommaTest,
                         ::testing::Values(TypedCommaCase{"Frequency", 0, "2,5", "2.5", 2500.0},
                                           TypedCommaCase{"Amplitude", 1, "1,5", "1.5", 1.5},
                                           TypedCommaCase{"Offset", 2, "-0,25", "-0.25", -0.25},
                                           TypedCommaCase{"Phase", 3, "0,3", "0.3", 0.3}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- a value out of range is shown limited once the typing is done -----------------------------

enum class Finish { Enter, Leave };

struct OutOfRangeCase {
    const char* name;
    int field;  // as in TypedCommaCase
    const char* typed;
    Finish finish;
    const char* shown;
    double value;
};

class FinishedEntryTest : public FrontPanelTest,
                          public ::testing::WithParamInterface<OutOfRangeCase> {
  protected:
    // Focus moves between the fields only in an active window.
    void SetUp() override {
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
};

TEST_P(FinishedEntryTest, TheFieldShowsTheValueInEffect) {
    const OutOfRangeCase& c = GetParam();
    CStepEdit* fields[] = {form().frequency, form().amplitude, form().offset, form().phase};
    CStepEdit& field = *fields[c.field];
    TypeInto(field, c.typed);
    EXPECT_EQ(field.text(), c.typed);  // nothing rewritten while typing
    if (c.finish == Finish::Enter) {
        QTest::keyClick(&field, Qt::Key_Return);
    } else {
        form().offset == &field ? form().amplitude->setFocus() : form().offset->setFocus();
        ASSERT_FALSE(field.hasFocus());
    }
    EXPECT_EQ(field.text(), c.shown);
    const double inEffect[] = {channel().frequency, channel().amplitude, channel().offset,
                               ReadShape(channel(), ShapeValue::Phase)};
    EXPECT_NEAR(inEffect[c.field], c.value, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FinishedEntryTest,
    ::testing::Values(
        OutOfRangeCase{"FrequencyZeroOnEnter", 0, "0", Finish::Enter, "1.000", kMinFrequency},
        OutOfRangeCase{"FrequencyZeroOnLeaving", 0, "0", Finish::Leave, "1.000", kMinFrequency},
        OutOfRangeCase{"FrequencyEmptyOnLeaving", 0, "", Finish::Leave, "1.000", kMinFrequency},
        OutOfRangeCase{"FrequencyPointOnEnter", 0, "0.", Finish::Enter, "1.000", kMinFrequency},
        OutOfRangeCase{"OffsetMinusOnEnter", 2, "-", Finish::Enter, "0.000", 0.0},
        OutOfRangeCase{"AmplitudeTypedInRange", 1, "2.5", Finish::Leave, "2.500", 2.5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrontPanelTest, AnUnfinishedFrequencyIsLeftAsTypedWhileTyping) {
    for (const char* unfinished : {"", "0", "0.", "0.0"}) {
        TypeInto(*form().frequency, unfinished);
        EXPECT_EQ(form().frequency->text(), unfinished);
        EXPECT_EQ(form().frequency->cursorPosition(), static_cast<int>(std::strlen(unfinished)));
        EXPECT_DOUBLE_EQ(channel().frequency, 1000.0) << unfinished;
    }
}

}  // namespace
}  // namespace korvane::test
