// The front panel worked from the keyboard alone: Tab reaches every control, Space presses keys,
// arrows turn knobs and step the spin keys, Ctrl+digit chooses a wave type.

#include <QApplication>
#include <set>

#include "engine/wave_type.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/turn_button.h"
#include "view/spin_buttons.h"
#include "view_panel_fixture.h"

namespace korvane {
namespace {

using test::FrontPanelTest;

// Every control of the form a user works with.
std::vector<QWidget*> WorkedControls(const PanelForm& form) {
    std::vector<QWidget*> controls(form.waveKeys.begin(), form.waveKeys.end());
    for (const KeyWithLamp& pair :
         {form.measureOn, form.singleWave, form.attenuate20dB, form.extTrigger, form.outputOn}) {
        controls.push_back(pair.key);
    }
    controls.insert(controls.end(), {form.measureMode, form.triggerEdge, form.frequency,
                                     form.amplitude, form.offset, form.phase, form.frequencyUnit,
                                     form.amplitudeUnit, form.offsetUnit, form.phaseSpin,
                                     form.offsetSpin, form.frequencyKnob, form.amplitudeKnob});
    return controls;
}

// Shortcuts and Tab work in the active window only.
void Activate(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST_F(FrontPanelTest, TabReachesEveryControlOfThePanel) {
    Activate(*view);
    form().waveKeys[0]->setFocus();
    std::set<QWidget*> reached;
    for (int i = 0; i < 100 && QApplication::focusWidget() &&
                    reached.insert(QApplication::focusWidget()).second;
         ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* control : WorkedControls(form())) {
        EXPECT_TRUE(reached.count(control))
            << control->metaObject()->className() << " " << control->geometry().x() << ","
            << control->geometry().y();
    }
}

TEST_F(FrontPanelTest, SpaceOnTheOutputKeySwitchesTheOutputAndItsLamp) {
    const int before = channel().outputOn;
    form().outputOn.key->setFocus();
    QTest::keyClick(form().outputOn.key, Qt::Key_Space);
    EXPECT_EQ(channel().outputOn, before ? 0 : 1);
    EXPECT_EQ(form().outputOn.lamp->Value(), channel().outputOn != 0);
}

TEST_F(FrontPanelTest, SpaceOnAWaveKeyChoosesItsWave) {
    form().waveKeys[Square]->setFocus();
    QTest::keyClick(form().waveKeys[Square], Qt::Key_Space);
    EXPECT_EQ(channel().waveType, Square);
    EXPECT_TRUE(form().waveKeys[Square]->Value());
}

TEST_F(FrontPanelTest, ControlDigitChoosesTheWaveKeyInReadingOrder) {
    Activate(*view);
    form().frequency->setFocus();
    for (int type : {Ramp, Square, Sine}) {
        QTest::keyClick(form().frequency, Qt::Key(Qt::Key_1 + int(type)), Qt::ControlModifier);
        EXPECT_EQ(channel().waveType, type);
        EXPECT_TRUE(form().waveKeys[type]->Value());
    }
    EXPECT_EQ(form().waveKeys[Square]->toolTip(),
              QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(Square)))
                  .toString(QKeySequence::NativeText));
}

TEST_F(FrontPanelTest, ArrowOnTheFrequencyKnobSetsTheFrequencyAtOnce) {
    const double before = channel().frequency;
    form().frequencyKnob->setFocus();
    QTest::keyClick(form().frequencyKnob, Qt::Key_Up);
    EXPECT_GT(channel().frequency, before);
    EXPECT_DOUBLE_EQ(form().frequency->GetValue(), channel().frequency);
    const double raised = channel().frequency;
    QTest::keyClick(form().frequencyKnob, Qt::Key_Down);
    EXPECT_LT(channel().frequency, raised);
}

TEST_F(FrontPanelTest, ArrowsOnTheOffsetSpinStepTheOffset) {
    form().offsetSpin->setFocus();
    QTest::keyClick(form().offsetSpin, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(channel().offset, 1.0);
    QTest::keyClick(form().offsetSpin, Qt::Key_Down);
    QTest::keyClick(form().offsetSpin, Qt::Key_Down);
    EXPECT_DOUBLE_EQ(channel().offset, -1.0);
    EXPECT_EQ(form().offset->text(), "-1.000");
}

TEST_F(FrontPanelTest, ArrowsOnTheMeasureSwitchChooseCounterAndFrequency) {
    form().measureMode->setFocus();
    QTest::keyClick(form().measureMode, Qt::Key_Right);
    EXPECT_EQ(channel().measureFrequency, 0);
    QTest::keyClick(form().measureMode, Qt::Key_Left);
    EXPECT_EQ(channel().measureFrequency, 1);
}

}  // namespace
}  // namespace korvane
