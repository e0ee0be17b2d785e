// The wave parameter dialogs driven as a user drives them: typing into their fields, turning the
// knob, ticking boxes, choosing units.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs_fixture.h"
#include "user_gestures.h"
#include "view/dialogs/am_fm_dialog.h"
#include "view/dialogs/dialog_knob.h"
#include "view/dialogs/duty_dialog.h"
#include "view/dialogs/exponent_dialog.h"
#include "view/dialogs/trapezia_dialog.h"
#include "view/dialogs/wave_number_dialog.h"
#include "view/dialogs/wave_parameter_dialogs.h"
#include "view/entry/num_edit.h"

namespace korvane {

// A knob as the panel offers one: a Value in radians and a notification after it changed. Unlike
// the panel's knob it can be set beyond one turn, which the dialogs must still handle.
class TestKnob : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Value MEMBER value)
  public:
    using QWidget::QWidget;
    void TurnTo(double angle) {
        value = angle;
        emit MouseUp(1, 0, 0, 0);
    }
    double value = 0.0;
  signals:
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
};

namespace {

using test::Retype;

// Clicks a check box on its indicator, as a user does.
void Tick(QCheckBox& box) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
}

int Downloads(ChannelState& channel) {
    const std::vector<int> queued = channel.QueuedCommands();
    return static_cast<int>(std::count(queued.begin(), queued.end(), Download));
}

class WaveParameterDialogs : public ::testing::Test {
  protected:
    ChannelState& Channel() { return fixture.Channel(); }
    DocumentFixture fixture{true};
};

TEST(DutyFromKnobAngle, KeepsTheDutyWithinOnePeriod) {
    const struct {
        double angle;
        float duty;
    } cases[] = {{0.0, 0.0f}, {3.14, 0.5f}, {6.28, 1.0f}, {6.9, 1.0f}, {100.0, 1.0f}, {-0.3, 0.0f}};
    for (const auto& c : cases) {
        EXPECT_NEAR(DutyFromKnobAngle(c.angle), c.duty, 1e-6f) << c.angle;
    }
}

TEST_F(WaveParameterDialogs, SquareFieldTypedBeyondRangeStoresOneAndKeepsTheText) {
    Channel().squareDuty = 0.25f;
    DutyDialog dialog(Channel(), DutyDialog::kSquare);
    dialog.show();
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("0.250"));
    fixture.DrainQueue();
    Retype(dialog.Field(), QStringLiteral("1.5"));
    EXPECT_FLOAT_EQ(Channel().squareDuty, 1.0f);
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("1.5"));
    EXPECT_GE(Downloads(Channel()), 1);
    dialog.close();  // the close box keeps the change
    EXPECT_FLOAT_EQ(Channel().squareDuty, 1.0f);
}

TEST_F(WaveParameterDialogs, SquareKnobBeyondOneTurnGivesDutyOne) {
    SetDialogKnobMaker([](QWidget* parent) { return new TestKnob(parent); });
    DutyDialog dialog(Channel(), DutyDialog::kSquare);
    SetDialogKnobMaker(nullptr);
    auto* knob = qobject_cast<TestKnob*>(dialog.Knob());
    ASSERT_NE(knob, nullptr);
    EXPECT_DOUBLE_EQ(knob->value, 0.5f * 6.28);  // placed from the stored duty

    fixture.DrainQueue();
    knob->TurnTo(6.5);
    EXPECT_FLOAT_EQ(Channel().squareDuty, 1.0f);
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("1.000"));
    EXPECT_DOUBLE_EQ(knob->value, 6.28);
    EXPECT_GE(Downloads(Channel()), 1);

    knob->TurnTo(-0.5);
    EXPECT_FLOAT_EQ(Channel().squareDuty, 0.0f);
}

TEST_F(WaveParameterDialogs, RampFieldMovesTheKnobAndTheRampDuty) {
    SetDialogKnobMaker([](QWidget* parent) { return new TestKnob(parent); });
    DutyDialog dialog(Channel(), DutyDialog::kRamp);
    SetDialogKnobMaker(nullptr);
    Retype(dialog.Field(), QStringLiteral("0.25"));
    EXPECT_FLOAT_EQ(Channel().rampDuty, 0.25f);
    EXPECT_FLOAT_EQ(Channel().squareDuty, 0.5f);
    EXPECT_NEAR(qobject_cast<TestKnob*>(dialog.Knob())->value, 0.25 * 6.28, 1e-6);
}

TEST_F(WaveParameterDialogs, TrapeziaLimitsFallToWhatRiseAndHighLeave) {
    Channel().trapeziaRise = 0.2f;
    Channel().trapeziaHigh = 0.4f;
    Channel().trapeziaFall = 0.1f;
    TrapeziaDialog dialog(Channel());
    dialog.show();
    Retype(dialog.Field(TrapeziaDialog::kFall), QStringLiteral("0.6"));
    EXPECT_FLOAT_EQ(Channel().trapeziaFall, 0.4f);
    EXPECT_EQ(dialog.Field(TrapeziaDialog::kFall).text(), QStringLiteral("0.6"));

    Retype(dialog.Field(TrapeziaDialog::kHigh), QStringLiteral("0.3"));
    EXPECT_FLOAT_EQ(Channel().trapeziaHigh, 0.3f);
    Retype(dialog.Field(TrapeziaDialog::kRise), QStringLiteral("0.9"));
    EXPECT_FLOAT_EQ(Channel().trapeziaRise, 0.3f);
    EXPECT_LE(Channel().trapeziaRise + Channel().trapeziaHigh + Channel().trapeziaFall,
              1.0f + 1e-6f);
}

TEST_F(WaveParameterDialogs, TrapeziaFromAnOverfullFileNeverStoresANegativeDuty) {
    Channel().trapeziaRise = 0.7f;
    Channel().trapeziaHigh = 0.6f;
    TrapeziaDialog dialog(Channel());
    Retype(dialog.Field(TrapeziaDialog::kFall), QStringLiteral("0.2"));
    EXPECT_FLOAT_EQ(Channel().trapeziaFall, 0.0f);
}

TEST_F(WaveParameterDialogs, ExponentUnitSwitchChangesOnlyWhatIsShown) {
    Channel().exponentUnit = 1;
    Channel().exponentTimeConstant = 0.001f;
    ExponentDialog dialog(Channel());
    dialog.show();
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("0.00100000"));
    fixture.DrainQueue();
    dialog.UnitBox().setCurrentIndex(0);  // "ms"
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("1.00000"));
    EXPECT_EQ(Channel().exponentTimeConstant, 0.001f);
    EXPECT_EQ(Channel().exponentUnit, 0);
    EXPECT_EQ(Downloads(Channel()), 0);

    Retype(dialog.Field(), QStringLiteral("250"));
    EXPECT_FLOAT_EQ(Channel().exponentTimeConstant, 0.25f);
    EXPECT_GE(Downloads(Channel()), 1);
}

TEST_F(WaveParameterDialogs, ExponentRiseBoxAndCancelKeepChanges) {
    Channel().exponentRaise = 1;
    ExponentDialog dialog(Channel());
    dialog.show();
    EXPECT_TRUE(dialog.RiseBox().isChecked());
    Tick(dialog.RiseBox());
    EXPECT_EQ(Channel().exponentRaise, 0);
    dialog.reject();
    EXPECT_EQ(Channel().exponentRaise, 0);
}

TEST_F(WaveParameterDialogs, AmFmAppliesOnRefreshAndStopsAtABadField) {
    AmFmDialog dialog(Channel());
    dialog.show();
    EXPECT_EQ(dialog.CarrierField().text(), QStringLiteral("10000"));
    Retype(dialog.CarrierField(), QStringLiteral("20000"));
    Retype(dialog.DepthField(), QStringLiteral("0.75"));
    Tick(dialog.FmBox());
    Retype(dialog.DeviationField(), QStringLiteral("500"));
    EXPECT_EQ(Channel().carrierFrequency, 10000);  // nothing until applied
    dialog.Apply();
    EXPECT_EQ(Channel().carrierFrequency, 20000);
    EXPECT_FLOAT_EQ(Channel().amDepth, 0.75f);
    EXPECT_EQ(Channel().fmMode, 1);
    EXPECT_EQ(Channel().fmDeviation, 500);

    Retype(dialog.CarrierField(), QStringLiteral("30000"));
    Retype(dialog.DepthField(), QStringLiteral("deep"));
    Retype(dialog.DeviationField(), QStringLiteral("900"));
    fixture.DrainQueue();
    dialog.Apply();
    EXPECT_EQ(Channel().carrierFrequency, 30000);
    EXPECT_FLOAT_EQ(Channel().amDepth, 0.75f);
    EXPECT_EQ(Channel().fmDeviation, 500);
    EXPECT_EQ(fixture.messages, QStringList{NotANumberText()});
    EXPECT_EQ(Downloads(Channel()), 1);
}

// A carrier beyond what the generator can make, a negative deviation or a depth above one used
// to be stored as typed; they are limited as SCPI limits them.
TEST_F(WaveParameterDialogs, AmFmLimitsValuesOutsideTheirRanges) {
    AmFmDialog dialog(Channel());
    dialog.show();
    Retype(dialog.CarrierField(), QStringLiteral("99999999"));
    Retype(dialog.DepthField(), QStringLiteral("1.5"));
    Retype(dialog.DeviationField(), QStringLiteral("-5"));
    fixture.DrainQueue();
    dialog.Apply();
    EXPECT_EQ(Channel().carrierFrequency, 75000000);
    EXPECT_FLOAT_EQ(Channel().amDepth, 1.0f);
    EXPECT_EQ(Channel().fmDeviation, 0);
    EXPECT_EQ(Downloads(Channel()), 1);
}

TEST_F(WaveParameterDialogs, WaveNumberIsLimitedWhileTyping) {
    const struct {
        const char* typed;
        const char* shown;
        int value;
    } cases[] = {{"150", "99", 99}, {"0", "1", 1}, {"42", "42", 42}, {"-7", "1", 1}};
    for (const auto& c : cases) {
        WaveNumberDialog dialog(3);
        EXPECT_EQ(dialog.Field().text(), QStringLiteral("3"));
        Retype(dialog.Field(), QString::fromLatin1(c.typed));
        EXPECT_EQ(dialog.Field().text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(dialog.Value(), c.value) << c.typed;
    }
}

TEST_F(WaveParameterDialogs, WaveNumberKeepsTheLastGoodValueOnBadText) {
    WaveNumberDialog dialog(12);
    Retype(dialog.Field(), QStringLiteral("x"));
    EXPECT_EQ(dialog.Value(), 12);
    EXPECT_TRUE(fixture.messages.isEmpty());  // said on OK, not while typing
}

TEST_F(WaveParameterDialogs, EveryParameterWaveTypeHasItsDialog) {
    EXPECT_NE(dynamic_cast<DutyDialog*>(MakeWaveParameterDialog(Channel(), Square, nullptr).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<DutyDialog*>(MakeWaveParameterDialog(Channel(), Ramp, nullptr).get()),
              nullptr);
    EXPECT_NE(
        dynamic_cast<ExponentDialog*>(MakeWaveParameterDialog(Channel(), Exponent, nullptr).get()),
        nullptr);
    EXPECT_NE(
        dynamic_cast<TrapeziaDialog*>(MakeWaveParameterDialog(Channel(), Trapezia, nullptr).get()),
        nullptr);
    EXPECT_NE(dynamic_cast<AmFmDialog*>(MakeWaveParameterDialog(Channel(), AmFm, nullptr).get()),
              nullptr);
    for (int type : {0, 4, 7, 8, 99}) {
        EXPECT_EQ(MakeWaveParameterDialog(Channel(), type, nullptr), nullptr) << type;
    }
}

}  // namespace
}  // namespace korvane

#include "dialogs_wave_parameters_test.moc"
