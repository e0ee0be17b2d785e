// The front panel driven as a user drives it: typing, units, keys, switches, spins and knobs.
#include <QGroupBox>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>
#include <cmath>
#include <numbers>

#include "document/command_ids.h"
#include "support/param_name.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/turn_button.h"
#include "view/spin_buttons.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

struct TypedFrequencyCase {
    int unit;
    const char* text;
    double expected;
};

class FrequencyEntryTest : public FrontPanelTest,
                           public ::testing::WithParamInterface<TypedFrequencyCase> {};

TEST_P(FrequencyEntryTest, TypedFrequencyReachesTheChannelAndQueuesTheDevice) {
    const TypedFrequencyCase& c = GetParam();
    ChooseUnit(*form().frequencyUnit, c.unit);
    ClearQueue();
    TypeInto(*form().frequency, c.text);
    EXPECT_DOUBLE_EQ(channel().frequency, c.expected);
    EXPECT_DOUBLE_EQ(form().frequency->GetValue(), c.expected);
    const std::vector<int> queue = Queue();
    ASSERT_GE(queue.size(), 2u);
    EXPECT_EQ(queue[0], SetFrequency);
    EXPECT_EQ(queue[1], Download);
}

INSTANTIATE_TEST_SUITE_P(EachUnit, FrequencyEntryTest,
                         ::testing::Values(TypedFrequencyCase{0, "2500", 2500.0},
                                           TypedFrequencyCase{1, "2.5", 2500.0},
                                           TypedFrequencyCase{2, "1.5", 1500000.0},
                                           // Not a number: 1000 in the unit.
                                           TypedFrequencyCase{0, "+", 1000.0},
                                           TypedFrequencyCase{1, "+", 1000000.0},
                                           TypedFrequencyCase{2, "+", 75000000.0}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName("unit", p.unit, "text", p.text);
                         });

TEST_F(FrontPanelTest, EightyMegahertzIsSeventyFiveForASineAndTwentyFiveOtherwise) {
    ChooseUnit(*form().frequencyUnit, 2);
    TypeInto(*form().frequency, "80");
    EXPECT_DOUBLE_EQ(channel().frequency, 75000000.0);
    EXPECT_EQ(form().frequency->text(), "75.000000");

    Press(*form().waveKeys[Square]);
    TypeInto(*form().frequency, "80");
    EXPECT_DOUBLE_EQ(channel().frequency, 25000000.0);
    EXPECT_EQ(form().frequency->text(), "25.000000");
}

TEST_F(FrontPanelTest, LettersAreNotTyped) {
    TypeInto(*form().frequency, "12ab");
    EXPECT_EQ(form().frequency->text(), "12");
    EXPECT_DOUBLE_EQ(channel().frequency, 12.0);
}

TEST_F(FrontPanelTest, SwitchingFromAFiftyMegahertzSineToRampLowersTheFrequency) {
    ChooseUnit(*form().frequencyUnit, 2);
    TypeInto(*form().frequency, "50");
    ASSERT_DOUBLE_EQ(channel().frequency, 50000000.0);
    ClearQueue();

    Press(*form().waveKeys[Ramp]);
    EXPECT_EQ(channel().waveType, Ramp);
    EXPECT_DOUBLE_EQ(channel().frequency, 25000000.0);
    EXPECT_EQ(form().frequency->text(), "25.000000");
    EXPECT_TRUE(form().waveKeys[Ramp]->Value());
    EXPECT_FALSE(form().waveKeys[Sine]->Value());
    const std::vector<int> queue = Queue();
    EXPECT_NE(std::find(queue.begin(), queue.end(), SetFrequency), queue.end());
}

TEST_F(FrontPanelTest, PressingTheSelectedWaveKeyKeepsItPressedAndQueuesADownload) {
    ASSERT_TRUE(form().waveKeys[Sine]->Value());
    Press(*form().waveKeys[Sine]);
    EXPECT_TRUE(form().waveKeys[Sine]->Value());
    EXPECT_EQ(channel().waveType, Sine);
    EXPECT_EQ(Queue(), std::vector<int>{Download});
}

TEST_F(FrontPanelTest, WaveKeysActAsARadioGroup) {
    for (int type = 0; type < kWaveTypeCount; ++type) {
        Press(*form().waveKeys[type]);
        for (int other = 0; other < kWaveTypeCount; ++other) {
            EXPECT_EQ(form().waveKeys[other]->Value(), other == type) << type << " " << other;
        }
        EXPECT_EQ(channel().waveType, type);
    }
}

// ---- on/off keys -----------------------------------------------------------------------------

struct KeyCase {
    const char* name;
    KeyWithLamp PanelForm::*key;
    std::atomic<int> ChannelState::*field;
    std::vector<int> queued;
};

class OnOffKeyTest : public FrontPanelTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(OnOffKeyTest, KeyReachesItsSetterAndItsLamp) {
    const KeyCase& c = GetParam();
    const KeyWithLamp& pair = form().*c.key;
    const int before = channel().*c.field;
    ASSERT_EQ(pair.key->Value(), before != 0);
    ASSERT_EQ(pair.lamp->Value(), before != 0);

    Press(*pair.key);
    EXPECT_EQ(channel().*c.field, 1 - before);
    EXPECT_EQ(pair.lamp->Value(), before == 0);
    EXPECT_EQ(Queue(), c.queued);

    Press(*pair.key);
    EXPECT_EQ(channel().*c.field, before);
    EXPECT_EQ(pair.lamp->Value(), before != 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachKey, OnOffKeyTest,
    ::testing::Values(
        KeyCase{"outputOn", &PanelForm::outputOn, &ChannelState::outputOn, {Download}},
        KeyCase{"attenuate", &PanelForm::attenuate20dB, &ChannelState::attenuate20dB, {Download}},
        KeyCase{"singleWave",
                &PanelForm::singleWave,
                &ChannelState::singleWave,
                {SetSingleWave, Download}},
        KeyCase{"extTrigger", &PanelForm::extTrigger, &ChannelState::extTrigger, {SetTrigger}},
        KeyCase{"measureOn", &PanelForm::measureOn, &ChannelState::measureOn, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrontPanelTest, SwitchesSetMeasureModeAndTriggerEdge) {
    ASSERT_FALSE(form().measureMode->Value());
    QTest::mouseClick(form().measureMode, Qt::LeftButton);
    EXPECT_EQ(channel().measureFrequency, 0);
    EXPECT_EQ(channel().resetCounterPending, 1);

    QTest::mouseClick(form().triggerEdge, Qt::LeftButton);
    EXPECT_EQ(channel().triggerEdge, 1);
    EXPECT_EQ(Queue(), std::vector<int>{SetTrigger});
}

// ---- spins and units ---------------------------------------------------------------------------

TEST_F(FrontPanelTest, OffsetSpinStepsTheOffsetByItsStep) {
    QTest::mouseClick(&form().offsetSpin->UpButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(channel().offset, 1.0);
    EXPECT_EQ(form().offset->text(), "1.000");
    EXPECT_EQ(Queue(), std::vector<int>{Download});
    QTest::mouseClick(&form().offsetSpin->DownButton(), Qt::LeftButton);
    QTest::mouseClick(&form().offsetSpin->DownButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(channel().offset, -1.0);
}

TEST_F(FrontPanelTest, PhaseSpinStepsByATenthAndStaysWithinAPeriod) {
    QTest::mouseClick(&form().phaseSpin->UpButton(), Qt::LeftButton);
    EXPECT_FLOAT_EQ(channel().phase, 0.1f);
    EXPECT_EQ(Queue(), std::vector<int>{Download});
    QTest::mouseClick(&form().phaseSpin->DownButton(), Qt::LeftButton);
    QTest::mouseClick(&form().phaseSpin->DownButton(), Qt::LeftButton);
    EXPECT_FLOAT_EQ(channel().phase, 0.0f);
    EXPECT_EQ(form().phase->text(), "0.000");
}

TEST_F(FrontPanelTest, TypedPhaseOutsideAPeriodIsLimitedAndShown) {
    TypeInto(*form().phase, "1.5");
    EXPECT_FLOAT_EQ(channel().phase, 1.0f);
    EXPECT_EQ(form().phase->text(), "1.000");
}

TEST_F(FrontPanelTest, TypedAmplitudeInMillivoltsIsLimitedToThreeAndAHalfVolts) {
    ChooseUnit(*form().amplitudeUnit, 0);
    EXPECT_EQ(form().amplitude->text(), "2000.000");
    ClearQueue();
    TypeInto(*form().amplitude, "1250");
    EXPECT_FLOAT_EQ(channel().amplitude, 1.25f);
    EXPECT_EQ(Queue(), std::vector<int>{Download});
    TypeInto(*form().amplitude, "5000");
    EXPECT_FLOAT_EQ(channel().amplitude, 3.5f);
    EXPECT_EQ(form().amplitude->text(), "3500.000");
}

TEST_F(FrontPanelTest, TypedOffsetIsLimitedToSevenVolts) {
    TypeInto(*form().offset, "-9");
    EXPECT_DOUBLE_EQ(channel().offset, -7.0);
    EXPECT_EQ(form().offset->text(), "-7.000");
}

TEST_F(FrontPanelTest, UnitChangesKeepTheValue) {
    TypeInto(*form().frequency, "2500");
    ClearQueue();
    ChooseUnit(*form().frequencyUnit, 1);
    EXPECT_EQ(form().frequency->text(), "2.500");
    ChooseUnit(*form().frequencyUnit, 2);
    EXPECT_EQ(form().frequency->text(), "0.002500");
    EXPECT_DOUBLE_EQ(form().frequency->GetValue(), 2500.0);
    EXPECT_DOUBLE_EQ(channel().frequency, 2500.0);
    EXPECT_TRUE(Queue().empty());

    ChooseUnit(*form().offsetUnit, 0);
    TypeInto(*form().offset, "500");
    ChooseUnit(*form().offsetUnit, 1);
    EXPECT_EQ(form().offset->text(), "0.500");
    EXPECT_DOUBLE_EQ(channel().offset, 0.5);
}

// ---- knobs -------------------------------------------------------------------------------------

// A point on the knob at `angle` (0 at the top, clockwise, 6.28 a turn).
QPoint KnobPoint(const CTurnButton& knob, double angle) {
    const double radians = angle / CTurnButton::kFullTurn * 2.0 * std::numbers::pi;
    const QPointF centre = QRectF(knob.rect()).center();
    return QPointF(centre.x() + 30.0 * std::sin(radians), centre.y() - 30.0 * std::cos(radians))
        .toPoint();
}

TEST_F(FrontPanelTest, KnobChangesOnlyTheFieldUntilReleased) {
    CTurnButton& knob = *form().frequencyKnob;
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, KnobPoint(knob, 0.0));
    QTest::mouseMove(&knob, KnobPoint(knob, 0.5));
    const double turned = form().frequency->GetValue();
    EXPECT_GT(turned, 1000.0);
    EXPECT_EQ(form().frequency->text().toDouble(), turned);
    EXPECT_DOUBLE_EQ(channel().frequency, 1000.0);
    EXPECT_TRUE(Queue().empty());

    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, KnobPoint(knob, 0.5));
    EXPECT_DOUBLE_EQ(channel().frequency, form().frequency->GetValue());
    // The setter queues the frequency and a download; the knob asks for one more behind it.
    EXPECT_EQ(Queue(), (std::vector<int>{SetFrequency, Download, Download}));
}

TEST_F(FrontPanelTest, KnobCrossingItsTopCountsAsASmallTurn) {
    CTurnButton& knob = *form().frequencyKnob;
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, KnobPoint(knob, 0.0));
    QTest::mouseMove(&knob, KnobPoint(knob, 6.28 - 0.1));  // back across the top
    ASSERT_NEAR(knob.Value(), 6.18, 0.03);
    const double back = form().frequency->GetValue();
    EXPECT_LT(back, 1000.0);
    EXPECT_GE(back, 995.0);
    QTest::mouseMove(&knob, KnobPoint(knob, 0.1));  // forward across the top again
    ASSERT_NEAR(knob.Value(), 0.1, 0.03);
    EXPECT_GT(form().frequency->GetValue(), 1000.0);
    EXPECT_LE(form().frequency->GetValue(), 1005.0);
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, KnobPoint(knob, 0.1));
}

TEST_F(FrontPanelTest, AmplitudeKnobStepsInMillivoltsAndSetsTheAmplitudeOnRelease) {
    CTurnButton& knob = *form().amplitudeKnob;
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, KnobPoint(knob, 0.0));
    QTest::mouseMove(&knob, KnobPoint(knob, 0.5));
    EXPECT_FLOAT_EQ(channel().amplitude, 2.0f);
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, KnobPoint(knob, 0.5));
    // About 15 steps of 1 mV.
    EXPECT_NEAR(channel().amplitude, 2.015f, 0.003f);
    EXPECT_EQ(Queue(), std::vector<int>{Download});
}

// ---- arbitrary: zoom -------------------------------------------------------------------------

TEST_F(FrontPanelTest, ZoomInFromFourOnAThousandPointsGoesToFiveThenBackToWhole) {
    Press(*form().waveKeys[Arbitrary]);
    ASSERT_EQ(channel().arbPointCount, 1000);
    EXPECT_TRUE(view->Slider().isVisible());
    channel().arbZoom = 4;
    view->TimerTick();
    EXPECT_TRUE(RouteUpdate({&view->Commands()}, kCmdZoomIn).enabled);

    EXPECT_TRUE(RouteCommand({&view->Commands()}, kCmdZoomIn));
    EXPECT_EQ(channel().arbZoom, 5);
    EXPECT_EQ(channel().arbViewLast - channel().arbViewFirst + 1, 201);

    view->TimerTick();
    EXPECT_EQ(channel().arbZoom, 0);
    EXPECT_EQ(channel().arbViewFirst, 0);
    EXPECT_EQ(channel().arbViewLast, 999);
    EXPECT_FALSE(RouteUpdate({&view->Commands()}, kCmdZoomOut).enabled);
}

TEST_F(FrontPanelTest, ZoomIsDisabledAndIdleForStandardWaves) {
    channel().arbZoom = 2;
    EXPECT_FALSE(RouteUpdate({&view->Commands()}, kCmdZoomIn).enabled);
    EXPECT_FALSE(RouteUpdate({&view->Commands()}, kCmdZoomOut).enabled);
    RouteCommand({&view->Commands()}, kCmdZoomOut);
    EXPECT_EQ(channel().arbZoom, 2);
}

TEST_F(FrontPanelTest, ArbitraryKeepsTheWaveLevelAndClearsThePhase) {
    TypeInto(*form().phase, "0.25");
    Press(*form().waveKeys[Arbitrary]);
    EXPECT_FLOAT_EQ(channel().phase, 0.0f);
    EXPECT_EQ(form().phase->text(), "0.000");
    // One period of the 2 V sine with a quarter period of phase: it starts at its crest.
    EXPECT_NEAR(channel().arbPoints[0], 2.0f, 0.01f);
    EXPECT_NEAR(channel().arbPoints[500], -2.0f, 0.01f);
    EXPECT_EQ(document.m_strFileName, QString::fromLatin1(kNoCsvFileName));
}

// ---- show / hide, colours ----------------------------------------------------------------------

TEST_F(FrontPanelTest, HidingThePanelWidensTheDisplayToTheWidthLessFifteen) {
    EXPECT_LT(view->Display().width(), view->width() - 15);
    QTest::mouseClick(&view->ShowHideButton(), Qt::LeftButton);
    EXPECT_FALSE(view->ControlsShown());
    EXPECT_FALSE(form().group->isVisibleTo(view.get()));
    EXPECT_EQ(view->Display().width(), view->width() - 15);
    EXPECT_FALSE(RouteUpdate({&view->Commands()}, kCmdShowHideControl).checked);

    RouteCommand({&view->Commands()}, kCmdShowHideControl);
    EXPECT_TRUE(form().group->isVisibleTo(view.get()));
    EXPECT_EQ(form().group->mapTo(view.get(), form().group->rect().bottomRight()).x(),
              view->width() - 5 - 1);
}

TEST_F(FrontPanelTest, ColourCommandsStoreTheChosenColourUnlessCancelled) {
    std::optional<QColor> answer = QColor(10, 20, 30);
    QColor offered;
    view->SetColourChooser([&](const QColor& current) {
        offered = current;
        return answer;
    });
    RouteCommand({&view->Commands()}, kCmdCurveColor);
    EXPECT_EQ(offered, QColor(255, 255, 0));
    EXPECT_EQ(view->Display().CurveColor(), QColor(10, 20, 30));

    answer.reset();
    RouteCommand({&view->Commands()}, kCmdBackgroundColor);
    EXPECT_EQ(view->Display().BackgroundColor(), QColor(30, 0, 50));
}

TEST_F(FrontPanelTest, ReadoutShowsTheCounterOrTheFrequency) {
    channel().measuredFrequency = 12345.0;
    view->TimerTick();
    EXPECT_EQ(form().readout->text(), "12.35 KHz");
    QTest::mouseClick(form().measureMode, Qt::LeftButton);
    channel().counterValue = 77;
    view->TimerTick();
    EXPECT_EQ(form().readout->text(), "00000000077");
}

}  // namespace
}  // namespace korvane::test
