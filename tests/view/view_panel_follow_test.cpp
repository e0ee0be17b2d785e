// A change made to the channel by remote control shows on the panel at the next timer tick,
// without sending anything back to the device and without disturbing what the user is doing.
#include <QSlider>
#include <string>

#include "remote/scpi_instrument.h"
#include "remote/scpi_session.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/turn_button.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

class PanelFollowTest : public FrontPanelTest {
  protected:
    PanelFollowTest() { instrument.SetChannels({&channel()}); }
    ~PanelFollowTest() override { instrument.SetChannels({}); }

    // Runs a command line as a remote client would and returns its answer.
    std::string Remote(const std::string& line) {
        session.Submit(line);
        EXPECT_FALSE(session.Busy()) << line;
        return session.TakeOutput();
    }

    scpi::Instrument instrument{"test"};
    scpi::Session session{instrument};
};

struct FieldCase {
    const char* command;
    CStepEdit* PanelForm::*field;
    const char* shown;
};

TEST_F(PanelFollowTest, RemoteValuesShowInTheirFieldsAtTheNextTick) {
    const FieldCase cases[] = {
        {"FREQ 2.5kHz", &PanelForm::frequency, "2500.000"},
        {"VOLT 1.5", &PanelForm::amplitude, "1.500"},
        {"VOLT 200mV", &PanelForm::amplitude, "0.200"},
        {"VOLT:OFFS -0.25", &PanelForm::offset, "-0.250"},
        {"PHAS 0.25", &PanelForm::phase, "0.250"},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.command);
        Remote(c.command);
        ClearQueue();
        view->TimerTick();
        EXPECT_EQ(((form().*c.field)->text()).toStdString(), c.shown);
        // Showing the value sends nothing to the device.
        EXPECT_TRUE(Queue().empty());
    }
}

struct KeyCase {
    const char* command;
    KeyWithLamp PanelForm::*key;
    bool on;
};

TEST_F(PanelFollowTest, RemoteSwitchesLightTheirKeysAndLamps) {
    const KeyCase cases[] = {
        {"OUTP OFF", &PanelForm::outputOn, false},
        {"OUTP ON", &PanelForm::outputOn, true},
        {"OUTP:ATT 20", &PanelForm::attenuate20dB, true},
        {"OUTP:ATT 0", &PanelForm::attenuate20dB, false},
        {"OUTP:SWAV ON", &PanelForm::singleWave, true},
        {"TRIG:SOUR EXT", &PanelForm::extTrigger, true},
        {"TRIG:SOUR IMM", &PanelForm::extTrigger, false},
        {"MEAS:STAT OFF", &PanelForm::measureOn, false},
        {"MEAS:STAT ON", &PanelForm::measureOn, true},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.command);
        Remote(c.command);
        ClearQueue();
        view->TimerTick();
        const KeyWithLamp& pair = form().*c.key;
        EXPECT_EQ(pair.key->Value(), c.on);
        EXPECT_EQ(pair.lamp->Value(), c.on);
        EXPECT_TRUE(Queue().empty());
    }
}

TEST_F(PanelFollowTest, RemoteMeasureModeTurnsTheFrequencyCounterSwitch) {
    Remote("MEAS:MODE COUN");
    view->TimerTick();
    EXPECT_TRUE(form().measureMode->Value());  // right: "C"
    Remote("MEAS:MODE FREQ");
    view->TimerTick();
    EXPECT_FALSE(form().measureMode->Value());
}

TEST_F(PanelFollowTest, RemoteTriggerSlopeTurnsTheEdgeSwitch) {
    Remote("TRIG:SLOP POS");
    view->TimerTick();
    EXPECT_TRUE(form().triggerEdge->Value());  // right: "Rise"
    Remote("TRIG:SLOP NEG");
    view->TimerTick();
    EXPECT_FALSE(form().triggerEdge->Value());
}

TEST_F(PanelFollowTest, RemoteWaveTypeLightsItsKeyAndShowsTheSliderForUser) {
    Remote("FUNC SQU");
    view->TimerTick();
    EXPECT_TRUE(form().waveKeys[Square]->Value());
    EXPECT_FALSE(form().waveKeys[Sine]->Value());
    EXPECT_FALSE(view->Slider().isVisible());

    Remote("DATA:ARB 1,-1,0.5");
    view->TimerTick();
    EXPECT_TRUE(form().waveKeys[Arbitrary]->Value());
    EXPECT_FALSE(form().waveKeys[Square]->Value());
    EXPECT_TRUE(view->Slider().isVisible());
    EXPECT_TRUE(view->Slider().isEnabled());

    Remote("FUNC SIN");
    view->TimerTick();
    EXPECT_TRUE(form().waveKeys[Sine]->Value());
    EXPECT_FALSE(form().waveKeys[Arbitrary]->Value());
    EXPECT_FALSE(view->Slider().isVisible());
}

TEST_F(PanelFollowTest, ResetShowsEveryDefault) {
    Remote("FREQ 5000;VOLT 1;OUTP OFF;FUNC RAMP");
    view->TimerTick();
    ASSERT_EQ(form().frequency->text(), "5000.000");
    ASSERT_TRUE(form().waveKeys[Ramp]->Value());
    Remote("*RST");
    view->TimerTick();
    EXPECT_EQ(form().frequency->text(), "1000.000");
    EXPECT_EQ(form().amplitude->text(), "2.000");
    EXPECT_TRUE(form().outputOn.key->Value());
    EXPECT_TRUE(form().waveKeys[Sine]->Value());
    EXPECT_FALSE(form().waveKeys[Ramp]->Value());
}

TEST_F(PanelFollowTest, AFieldBeingTypedIntoIsNotRewritten) {
    TypeInto(*form().frequency, "12");
    view->TimerTick();
    EXPECT_EQ(form().frequency->text(), "12");
    EXPECT_DOUBLE_EQ(channel().frequency, 12.0);

    // A remote change wins over what was typed before it.
    Remote("FREQ 300");
    view->TimerTick();
    EXPECT_EQ(form().frequency->text(), "300.000");
}

TEST_F(PanelFollowTest, AKnobBeingTurnedKeepsItsFieldUntilReleased) {
    CTurnButton& knob = *form().frequencyKnob;
    const QPoint centre = knob.rect().center();
    QTest::mousePress(&knob, Qt::LeftButton, {}, centre + QPoint(0, -30));
    QTest::mouseMove(&knob, centre + QPoint(30, 0));
    const QString turned = form().frequency->text();
    ASSERT_NE(turned, "1000.000");
    ASSERT_DOUBLE_EQ(channel().frequency, 1000.0);  // the device gets it on release

    view->TimerTick();
    EXPECT_EQ(form().frequency->text(), turned);

    QTest::mouseRelease(&knob, Qt::LeftButton, {}, centre + QPoint(30, 0));
    EXPECT_EQ(form().frequency->text(), turned);
    EXPECT_NE(channel().frequency, 1000.0);
}

}  // namespace
}  // namespace korvane::test
