// Plain rules behind the front panel: typed values, knob steps, the readout text, the layout and
// the drawing of arbitrary points.
#include <gtest/gtest.h>

#include "support/param_name.h"

#include <string>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "view/entry/entry_values.h"
#include "view/knob_turn.h"
#include "view/measurement_text.h"
#include "view/panel_geometry.h"
#include "view/point_drawing.h"

namespace korvane {
namespace {

struct FrequencyCase {
    const char* text;
    int unit;
    int waveType;
    double expected;
    bool limited;
};

class TypedFrequencyTest : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(TypedFrequencyTest, ReadsTheTextInTheUnitAndLimitsIt) {
    const FrequencyCase& c = GetParam();
    const TypedValue typed = TypedFrequency(c.text, c.unit, c.waveType);
    EXPECT_DOUBLE_EQ(typed.value, c.expected) << c.text << " unit " << c.unit;
    EXPECT_EQ(typed.limited, c.limited) << c.text << " unit " << c.unit;
}

INSTANTIATE_TEST_SUITE_P(
    Units, TypedFrequencyTest,
    ::testing::Values(
        FrequencyCase{"2500", 0, Sine, 2500.0, false}, FrequencyCase{"2.5", 1, Sine, 2500.0, false},
        FrequencyCase{"1.5", 2, Sine, 1500000.0, false},
        FrequencyCase{"80", 2, Sine, 75000000.0, true},
        FrequencyCase{"80", 2, Square, 25000000.0, true},
        FrequencyCase{"30", 2, Sine, 30000000.0, false},
        FrequencyCase{"30", 2, Ramp, 25000000.0, true}, FrequencyCase{"0.5", 0, Sine, 1.0, true},
        FrequencyCase{"-3", 1, Sine, 1.0, true}, FrequencyCase{"", 0, Sine, 1.0, true},
        // Not a number: counts as 1000 in the selected unit.
        FrequencyCase{"+5", 0, Sine, 1000.0, false},
        FrequencyCase{"abc", 1, Sine, 1000000.0, false},
        FrequencyCase{"1 0", 2, Sine, 75000000.0, true},
        FrequencyCase{"1 0", 2, Exponent, 25000000.0, true},
        // Made of number characters but not one number: its leading number.
        FrequencyCase{"12.5.1", 0, Sine, 12.5, false}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName("text", p.text, "unit", p.unit, test::WaveName(p.waveType));
    });

TEST(UnfinishedFrequencyTest, TextsThatReadAsZeroButCanStillGrowAreUnfinished) {
    for (const char* text : {"", "-", ".", "-.", "0", "0.", "0.00", "-0"}) {
        EXPECT_TRUE(UnfinishedFrequency(text)) << text;
    }
    for (const char* text : {"0.5", "1", "-3", "+", "0.0.", "abc", "10"}) {
        EXPECT_FALSE(UnfinishedFrequency(text)) << text;
    }
}

TEST(TypedVoltsTest, AmplitudeInMillivoltsAndVoltsWithinItsRange) {
    EXPECT_DOUBLE_EQ(TypedAmplitude("1500", 0).value, 1.5);
    EXPECT_DOUBLE_EQ(TypedAmplitude("1.25", 1).value, 1.25);
    EXPECT_EQ(TypedAmplitude("4", 1).value, 3.5);
    EXPECT_TRUE(TypedAmplitude("4", 1).limited);
    EXPECT_EQ(TypedAmplitude("-1", 1).value, 0.0);
    EXPECT_TRUE(TypedAmplitude("-1", 1).limited);
}

TEST(TypedVoltsTest, OffsetWithinSevenVoltsEitherWay) {
    EXPECT_DOUBLE_EQ(TypedOffset("-250", 0).value, -0.25);
    EXPECT_EQ(TypedOffset("9", 1).value, 7.0);
    EXPECT_EQ(TypedOffset("-9000", 0).value, -7.0);
    EXPECT_FALSE(TypedOffset("6.5", 1).limited);
}

TEST(TypedPhaseTest, NotANumberReadsAsZeroAndOutsideIsFlagged) {
    EXPECT_DOUBLE_EQ(TypedPhase("0.25").value, 0.25);
    EXPECT_EQ(TypedPhase("-").value, 0.0);
    EXPECT_EQ(TypedPhase("1.2.3").value, 0.0);
    EXPECT_TRUE(TypedPhase("1.5").limited);
    EXPECT_FALSE(TypedPhase("1").limited);
}

TEST(KnobTurnTest, StepsAreAHundredPerHalfTurn) {
    KnobTurn turn;
    EXPECT_EQ(turn.Turn(0.5), 15);  // trunc(0.5 * 31.847)
    EXPECT_EQ(turn.Turn(0.5), 0);
    EXPECT_EQ(turn.Turn(0.4), -3);
}

TEST(KnobTurnTest, CrossingTheTopForwardIsASmallForwardTurn) {
    KnobTurn turn;
    turn.Turn(6.2);
    EXPECT_EQ(turn.Turn(0.1), 5);  // (0.1 - (6.2 - 6.28)) * 31.847
    EXPECT_DOUBLE_EQ(turn.LastAngle(), 0.1);
}

TEST(KnobTurnTest, CrossingTheTopBackwardIsASmallBackwardTurn) {
    KnobTurn turn;
    turn.Turn(0.1);
    EXPECT_EQ(turn.Turn(6.2), -5);
}

TEST(KnobTurnTest, AnAngleThatIsNotANumberStepsNothing) {
    KnobTurn turn;
    turn.Turn(1.0);
    EXPECT_EQ(turn.Turn(std::nan("")), 0);
    EXPECT_DOUBLE_EQ(turn.LastAngle(), 1.0);
}

TEST(MeasurementTextTest, CounterAndFrequencyInTheirUnits) {
    EXPECT_EQ(MeasurementText(0, 42, 5000.0), "00000000042");
    EXPECT_EQ(MeasurementText(1, 42, 999.5), "999.50 Hz");
    EXPECT_EQ(MeasurementText(1, 0, 1000.0), "1.00 KHz");
    EXPECT_EQ(MeasurementText(1, 0, 2500000.0), "2.50 MHz");
    EXPECT_EQ(MeasurementText(1, 0, 0.0), "0.00 Hz");
}

TEST(PanelGeometryTest, ShownPanelSitsAtTheRightWithItsMargins) {
    const PanelGeometry g = ArrangePanel({860, 480}, {320, 458}, true, false, {10, 48}, 16);
    EXPECT_EQ(g.panel, QRect(535, 0, 320, 480));
    EXPECT_EQ(g.display, QRect(0, 0, 525, 480));
    EXPECT_TRUE(g.slider.isEmpty());
    EXPECT_EQ(g.showHide, QRect(525, 216, 10, 48));
}

TEST(PanelGeometryTest, HiddenPanelLeavesTheDisplayTheWidthLessFifteen) {
    const PanelGeometry g = ArrangePanel({860, 480}, {320, 458}, false, false, {10, 48}, 16);
    EXPECT_EQ(g.display.width(), 860 - 15);
    EXPECT_EQ(g.panel.width(), 0);
    EXPECT_EQ(g.showHide.right(), 860 - 5 - 1);
}

TEST(PanelGeometryTest, ArbitraryGivesTheSliderTheBottomTwentyPixels) {
    const PanelGeometry g = ArrangePanel({860, 480}, {320, 458}, true, true, {10, 48}, 16);
    EXPECT_EQ(g.display, QRect(0, 0, 525, 460));
    EXPECT_EQ(g.slider, QRect(0, 460, 525, 20));
}

TEST(PanelGeometryTest, APanelTallerOrWiderThanTheClientScrollsAndStaysInside) {
    const struct {
        QSize client;
        QRect panel;
        int displayWidth;
    } cases[] = {
        {{860, 458}, {535, 0, 320, 458}, 525},  // just fits: no scroll bar
        {{860, 300}, {519, 0, 336, 300}, 509},  // too low: wider by the scroll bar
        {{300, 300}, {110, 0, 185, 300}, 100},  // too narrow: the display keeps its least width
        {{100, 300}, {95, 0, 0, 300}, 85},      // narrower than that: all display
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.client.width() * 10000 + c.client.height());
        const PanelGeometry g = ArrangePanel(c.client, {320, 458}, true, false, {10, 48}, 16);
        EXPECT_EQ(g.panel, c.panel);
        EXPECT_EQ(g.display.width(), c.displayWidth);
        EXPECT_GE(g.display.left(), 0);
    }
}

// A channel of 1000 arbitrary points shown whole on a plot 500 pixels wide.
class PointDrawingTest : public ::testing::Test {
  protected:
    PointDrawingTest() {
        channel.arbPointCount = 1000;
        channel.SetArbView(0.0f);
        channel.ArbViewScale(float(plot.right - plot.left));
        while (channel.PopCommand() != 0) {
        }
    }
    int ColumnOf(int index) const {
        return plot.left + static_cast<int>(index * double(channel.arbViewScale) + 0.5);
    }

    SimulatedDeviceLibrary library{1};
    ChannelState channel{library};
    PlotArea plot{10, 10, 510, 210};
};

TEST_F(PointDrawingTest, PointAtFollowsTheWindowAndStaysInIt) {
    EXPECT_EQ(PointAt(channel, plot, ColumnOf(10)), 10);
    EXPECT_EQ(PointAt(channel, plot, ColumnOf(500)), 500);
    EXPECT_EQ(PointAt(channel, plot, plot.right + 100), 999);
    EXPECT_EQ(PointAt(channel, plot, plot.left - 100), 0);
}

TEST_F(PointDrawingTest, RowsMapToPlusAndMinusThreeAndAHalfVolts) {
    EXPECT_FLOAT_EQ(VoltageAtRow(plot, plot.top), 3.5f);
    EXPECT_FLOAT_EQ(VoltageAtRow(plot, plot.bottom), -3.5f);
    EXPECT_FLOAT_EQ(VoltageAtRow(plot, 110), 0.0f);
    EXPECT_FLOAT_EQ(VoltageAtRow(plot, -40), 3.5f);
}

TEST_F(PointDrawingTest, FastStrokeFillsEveryPointOnTheLine) {
    PointStroke stroke;
    ASSERT_EQ(stroke.Press(channel, plot, {ColumnOf(10), 60}), 10);
    stroke.Move(channel, plot, {ColumnOf(10), 60});
    stroke.Move(channel, plot, {ColumnOf(50), 160});
    const float start = channel.arbPoints[10];
    const float end = channel.arbPoints[50];
    EXPECT_FLOAT_EQ(start, VoltageAtRow(plot, 60));
    EXPECT_FLOAT_EQ(end, VoltageAtRow(plot, 160));
    for (int j = 11; j <= 50; ++j) {
        EXPECT_NEAR(channel.arbPoints[j], start + (j - 10) * (end - start) / 40.0f, 1e-5) << j;
    }
    EXPECT_EQ(channel.arbPoints[9], 0.0f);
    EXPECT_EQ(channel.arbPoints[51], 0.0f);
    EXPECT_TRUE(channel.QueuedCommands().empty());  // nothing is sent before the release
    stroke.Release(channel);
    EXPECT_EQ(channel.QueuedCommands(), std::vector<int>{Download});
}

TEST_F(PointDrawingTest, StrokeToTheLeftFillsTheSameWay) {
    PointStroke stroke;
    stroke.Press(channel, plot, {ColumnOf(80), 100});
    stroke.Move(channel, plot, {ColumnOf(80), 30});
    stroke.Move(channel, plot, {ColumnOf(40), 190});
    const float start = channel.arbPoints[80];
    const float end = channel.arbPoints[40];
    for (int j = 40; j < 80; ++j) {
        EXPECT_NEAR(channel.arbPoints[j], start + (j - 80) * (end - start) / -40.0f, 1e-5) << j;
    }
    EXPECT_EQ(channel.arbPoints[39], 0.0f);
}

TEST_F(PointDrawingTest, PressOutsideThePlotStartsNoStroke) {
    PointStroke stroke;
    EXPECT_FALSE(stroke.Press(channel, plot, {plot.left - 1, 50}).has_value());
    stroke.Move(channel, plot, {ColumnOf(20), 20});
    EXPECT_EQ(channel.arbPoints[20], 0.0f);
    EXPECT_FALSE(stroke.Dragging());
}

TEST_F(PointDrawingTest, CursorOutsideThePlotReadsEightHundred) {
    PointStroke stroke;
    EXPECT_EQ(stroke.Move(channel, plot, {plot.left - 5, 50}).x, kCursorOutside);
    EXPECT_FALSE(stroke.Move(channel, plot, {plot.left - 5, 50}).index.has_value());
    const PointStroke::Cursor above = stroke.Move(channel, plot, {ColumnOf(30), plot.top - 20});
    EXPECT_EQ(above.x, kCursorOutside);
    EXPECT_EQ(above.index, 30);
    EXPECT_EQ(stroke.Move(channel, plot, {ColumnOf(30), 50}).x, ColumnOf(30) - plot.left);
}

TEST_F(PointDrawingTest, WithoutAScaleThePointerMapsToTheWindowStart) {
    channel.arbViewScale = 0.0f;
    EXPECT_EQ(PointAt(channel, plot, 300), 0);
}

}  // namespace
}  // namespace korvane
