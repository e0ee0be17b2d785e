// A change made to the channel by remote control shows on the panel at the next timer tick,
// without sending anything back to the device and without disturbing what the user is doing.
#include <QSlider>
#include <string>
#include <vector>

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

struct TypedFieldCase {
    const char* name;
    CStepEdit* PanelForm::*field;
    const char* typed;
    const char* remote;
    const char* shownAfter;  // the remote value, once the entry has ended
};

class TypedFieldFollowTest : public PanelFollowTest,
                             public ::testing::WithParamInterface<TypedFieldCase> {
  protected:
    // Keyboard focus exists only in an active window.
    void SetUp() override {
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
};

// The fault: with the field focused and "77" typed, a client's FREQ 5000 rewrote the field to
// "5000.000" under the cursor, so the next key typed made 5000.0007 Hz.
TEST_P(TypedFieldFollowTest, ARemoteValueWaitsUntilTheEntryEnds) {
    const TypedFieldCase& c = GetParam();
    CStepEdit& field = *(form().*c.field);
    TypeInto(field, c.typed);
    ASSERT_TRUE(field.hasFocus());
    Remote(c.remote);
    view->TimerTick();
    view->TimerTick();
    EXPECT_EQ(field.text().toStdString(), c.typed);

    // Leaving the field shows the value the channel holds.
    (c.field == &PanelForm::offset ? form().amplitude : form().offset)->setFocus();
    ASSERT_FALSE(field.hasFocus());
    view->TimerTick();
    EXPECT_EQ(field.text().toStdString(), c.shownAfter);
}

TEST_P(TypedFieldFollowTest, EnterEndsTheEntryToo) {
    const TypedFieldCase& c = GetParam();
    CStepEdit& field = *(form().*c.field);
    TypeInto(field, c.typed);
    Remote(c.remote);
    view->TimerTick();
    EXPECT_EQ(field.text().toStdString(), c.typed);
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.text().toStdString(), c.shownAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TypedFieldFollowTest,
    ::testing::Values(
        TypedFieldCase{"Frequency", &PanelForm::frequency, "77", "FREQ 5000", "5000.000"},
        TypedFieldCase{"Amplitude", &PanelForm::amplitude, "1.2", "VOLT 0.5", "0.500"},
        TypedFieldCase{"Offset", &PanelForm::offset, "0.7", "VOLT:OFFS -1", "-1.000"},
        TypedFieldCase{"Phase", &PanelForm::phase, "0.3", "PHAS 0.75", "0.750"}),
    [](const ::testing::TestParamInfo<TypedFieldCase>& info) {
        return std::string(info.param.name);
    });

// Typing after the remote change is the user's last word: leaving the field keeps it.
TEST_F(PanelFollowTest, TypingAfterARemoteChangeWins) {
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    TypeInto(*form().frequency, "77");
    Remote("FREQ 5000");
    view->TimerTick();
    QTest::keyClicks(form().frequency, "0");
    EXPECT_DOUBLE_EQ(channel().frequency, 770.0);
    form().offset->setFocus();
    view->TimerTick();
    EXPECT_EQ(form().frequency->text(), "770.000");
    EXPECT_DOUBLE_EQ(channel().frequency, 770.0);
}

// The fault: while sweeping the readout kept the last measurement, with no sign of the sweep.
TEST_F(PanelFollowTest, TheReadoutShowsTheFrequencyTheSweepGenerates) {
    channel().pointCount = 4096;
    channel().periodCount = 1;
    view->TimerTick();
    const QString measured = form().readout->text();
    Remote("SWE:STAR 20000;STOP 2000;STAT ON");
    std::vector<double> shown;
    for (int step = 0; step < 5; ++step) {
        channel().SweepStep();  // as the channel's session does every period
        view->TimerTick();
        const int divider = channel().sweepDivider;
        const QString expected = QString::asprintf("%.02f KHz", 200e6 / divider / 4096 * 1e-3);
        EXPECT_EQ(form().readout->text(), expected) << divider;
        shown.push_back(form().readout->text().chopped(4).toDouble());
    }
    EXPECT_GT(shown.front(), shown.back());  // downward
    Remote("SWE:STAT OFF");
    view->TimerTick();
    EXPECT_EQ(form().readout->text(), measured);
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
