#include <gtest/gtest.h>

#include "support/painted_texts.h"
#include "support/param_name.h"

#include <QPainter>
#include <algorithm>
#include <limits>
#include <tuple>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "image_probe.h"
#include "view/wave_display.h"
#include "wave_display_fixture.h"

namespace korvane {
namespace {

using test::CountColour;
using test::Grab;
using test::kCursor;
using test::kCurve;
using test::kField;
using test::kMarker;
using test::WaveDisplayTest;

using WaveCase = std::tuple<int, int>;  // wave type, fmMode

class EveryWaveTest : public WaveDisplayTest, public ::testing::WithParamInterface<WaveCase> {};

TEST_P(EveryWaveTest, DrawsFieldFrameAndCurve) {
    channel.waveType = std::get<0>(GetParam());
    channel.fmMode = std::get<1>(GetParam());
    const QImage image = Grab(display);
    ASSERT_EQ(image.size(), QSize(600, 300));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(192, 192, 192));
    EXPECT_EQ(image.pixelColor(599, 299), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(9, 30), kField);
    EXPECT_GT(CountColour(image, QRect(10, 10, 580, 280), kCurve), 100);
}

INSTANTIATE_TEST_SUITE_P(Types, EveryWaveTest,
                         ::testing::Combine(::testing::Values(Sine, Ramp, Square, Exponent,
                                                              Arbitrary, Trapezia, AmFm, GaussNoise,
                                                              WhiteNoise, 99),
                                            ::testing::Values(0, 1)),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName(test::WaveName(std::get<0>(p)), "fmMode",
                                                    std::get<1>(p));
                         });

struct TableCase {
    int pointCount;
    int first;
    int last;
};

class OddTableTest : public WaveDisplayTest, public ::testing::WithParamInterface<TableCase> {};

TEST_P(OddTableTest, ArbitraryPictureSurvivesAnyTableAndWindow) {
    channel.waveType = Arbitrary;
    channel.arbPointCount = GetParam().pointCount;
    channel.arbViewFirst = GetParam().first;
    channel.arbViewLast = GetParam().last;
    display.SetCursorIndex(GetParam().first);
    const QImage image = Grab(display);
    ASSERT_EQ(image.size(), QSize(600, 300));
    EXPECT_EQ(image.pixelColor(9, 30), kField);
    const QRect midBand(10, 140, 580, 20);  // the point(s) at 0 V, under the cross-hair
    EXPECT_GT(CountColour(image, midBand, kCurve) + CountColour(image, midBand, kCursor), 0);
}

INSTANTIATE_TEST_SUITE_P(Tables, OddTableTest,
                         ::testing::Values(TableCase{0, 0, 0}, TableCase{1, 0, 0},
                                           TableCase{-7, 0, 0}, TableCase{5000, 0, 4999},
                                           TableCase{1000, 5000, -3}, TableCase{1000, -5, 99999},
                                           TableCase{2, 1, 1}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName("points", p.pointCount, "window", p.first,
                                                    p.last);
                         });

TEST_F(WaveDisplayTest, WithoutAChannelShowsTheEmptyField) {
    WaveDisplay empty;
    empty.resize(200, 100);
    const QImage image = Grab(empty);
    EXPECT_EQ(image.pixelColor(100, 50), kField);
    EXPECT_EQ(CountColour(image, image.rect(), kCurve), 0);
}

TEST_F(WaveDisplayTest, ResizeRebuildsTheBackBufferAtTheNewSize) {
    Grab(display);
    display.resize(700, 360);
    const QImage image = Grab(display);
    ASSERT_EQ(image.size(), QSize(700, 360));
    EXPECT_EQ(image.pixelColor(699, 359), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(695, 20), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(9, 300), kField);
    // The curve now reaches columns that lay outside the old picture.
    EXPECT_GT(CountColour(image, QRect(630, 10, 5, 340), kCurve), 0);

    display.resize(300, 150);
    const QImage smaller = Grab(display);
    ASSERT_EQ(smaller.size(), QSize(300, 150));
    EXPECT_EQ(smaller.pixelColor(299, 149), QColor(255, 255, 255));
}

TEST_F(WaveDisplayTest, PlotRectFollowsTheSize) {
    EXPECT_EQ(display.PlotRect(), QRect(10, 10, 580, 280));
    display.resize(300, 120);
    EXPECT_EQ(display.PlotRect(), QRect(10, 10, 280, 100));
}

TEST_F(WaveDisplayTest, ColoursTakeEffectAtTheNextPaint) {
    display.SetBackgroundColor(QColor(200, 0, 0));
    display.SetCurveColor(QColor(0, 200, 0));
    display.SetXyLineColor(QColor(0, 0, 200));
    const QImage image = Grab(display);
    EXPECT_EQ(image.pixelColor(9, 150), QColor(200, 0, 0));
    EXPECT_GT(CountColour(image, image.rect(), QColor(0, 200, 0)), 100);
    EXPECT_EQ(CountColour(image, image.rect(), kCurve), 0);
    // The zero axis runs along the mid row.
    EXPECT_GT(CountColour(image, QRect(60, 150, 480, 1), QColor(0, 0, 200)), 300);
    EXPECT_EQ(display.BackgroundColor(), QColor(200, 0, 0));
}

TEST_F(WaveDisplayTest, DrawsTheRealAmplitudeAndOffset) {
    const QRect upperBand(60, 8, 480, 5);
    const QRect midRow(60, 148, 480, 5);
    channel.amplitude = 1.0f;
    EXPECT_EQ(CountColour(Grab(display), QRect(60, 8, 480, 90), kCurve), 0);
    channel.amplitude = 3.5f;
    EXPECT_GT(CountColour(Grab(display), upperBand, kCurve), 0);

    channel.amplitude = 0.0f;
    channel.offset = 3.5;
    const QImage image = Grab(display);
    EXPECT_GT(CountColour(image, upperBand, kCurve), 400);
    EXPECT_EQ(CountColour(image, midRow, kCurve), 0);
}

TEST_F(WaveDisplayTest, PeriodMarkerSpansOneOfTheWaveNumberPeriods) {
    // Below the amplitude text, above the curve's peak.
    const QRect farColumn(400, 50, 1, 30);
    const QRect nearColumn(200, 50, 1, 30);
    channel.waveNumber = 1;
    QImage image = Grab(display);
    EXPECT_GT(CountColour(image, farColumn, kMarker), 0);
    EXPECT_GT(CountColour(image, nearColumn, kMarker), 0);

    channel.waveNumber = 3;  // 480 / 3 = 160 columns from 60
    image = Grab(display);
    EXPECT_EQ(CountColour(image, farColumn, kMarker), 0);
    EXPECT_GT(CountColour(image, nearColumn, kMarker), 0);
}

TEST_F(WaveDisplayTest, NonPositiveWaveNumberStillDraws) {
    for (const std::int16_t waves : {std::int16_t(0), std::int16_t(-4)}) {
        channel.waveNumber = waves;
        EXPECT_EQ(Grab(display).pixelColor(9, 150), kField);
    }
}

TEST_F(WaveDisplayTest, ArbitraryWindowMapsPointsAcrossThePlot) {
    ShowArbitrary(1000, 0.3f);  // window 300..633
    ASSERT_EQ(channel.arbViewFirst, 300);
    ASSERT_EQ(channel.arbViewLast, 633);
    const QImage image = Grab(display);
    EXPECT_FLOAT_EQ(channel.arbViewScale, 580.0f / 333.0f);
    // Points 400..420 (+3.5 V) lie at columns 184..219 on the top edge, the others on the
    // bottom edge.
    EXPECT_GT(CountColour(image, QRect(190, 9, 25, 2), kCurve), 40);
    EXPECT_GT(CountColour(image, QRect(20, 289, 150, 2), kCurve), 280);
    EXPECT_EQ(CountColour(image, QRect(190, 289, 25, 2), kCurve), 0);
}

TEST_F(WaveDisplayTest, PointsBeyondFullScaleSitOnThePlotEdges) {
    channel.waveType = Arbitrary;
    channel.arbPointCount = 1000;
    channel.SetArbView(0.0f);
    display.SetCursorIndex(-1);
    for (int i = 0; i < 1000; ++i) {
        channel.arbPoints[i] = i < 500 ? 10.0f : -1e30f;
    }
    const QImage image = Grab(display);
    EXPECT_GT(CountColour(image, QRect(20, 9, 250, 2), kCurve), 400);     // top edge
    EXPECT_GT(CountColour(image, QRect(320, 289, 250, 2), kCurve), 400);  // bottom edge
}

TEST_F(WaveDisplayTest, NonFiniteValuesAreDrawnAtZeroVolts) {
    const QRect midRow(60, 149, 480, 2);
    channel.amplitude = std::numeric_limits<float>::quiet_NaN();
    EXPECT_GT(CountColour(Grab(display), midRow, kCurve), 400);

    channel.waveType = Arbitrary;
    channel.arbPointCount = 1000;
    channel.SetArbView(0.0f);
    display.SetCursorIndex(-1);
    for (int i = 0; i < 1000; ++i) {
        channel.arbPoints[i] = i < 500 ? std::numeric_limits<float>::infinity()
                                       : std::numeric_limits<float>::quiet_NaN();
    }
    // +inf is beyond full scale (top edge); NaN has no level and counts as 0 V.
    const QImage image = Grab(display);
    EXPECT_GT(CountColour(image, QRect(20, 9, 250, 2), kCurve), 400);
    EXPECT_GT(CountColour(image, QRect(320, 149, 250, 2), kCurve), 400);
    EXPECT_EQ(image.size(), QSize(600, 300));
}

TEST_F(WaveDisplayTest, CursorInsideTheWindowDrawsCrossHairAndReadout) {
    ShowArbitrary(1000, 0.3f);
    const QRect readout(450, 12, 140, 14);
    display.SetCursorIndex(350);  // column 10 + 50 * 580 / 333 = 97
    QImage image = Grab(display);
    EXPECT_GT(CountColour(image, QRect(97, 30, 1, 200), kCursor), 150);
    EXPECT_GT(CountColour(image, readout, kCurve), 0);

    display.SetCursorIndex(100);  // before the window
    image = Grab(display);
    EXPECT_EQ(CountColour(image, image.rect(), kCursor), 0);
    EXPECT_EQ(CountColour(image, readout, kCurve), 0);
}

TEST_F(WaveDisplayTest, FileNameShowsOnlyForTheArbitraryType) {
    display.setProperty("fileName", QStringLiteral("wave.csv"));
    EXPECT_EQ(display.FileName(), QStringLiteral("wave.csv"));
    const QRect nameArea(13, 12, 45, 14);
    EXPECT_EQ(CountColour(Grab(display), nameArea, kCurve), 0);
    channel.waveType = Arbitrary;
    EXPECT_GT(CountColour(Grab(display), nameArea, kCurve), 0);
}

}  // namespace
}  // namespace korvane
