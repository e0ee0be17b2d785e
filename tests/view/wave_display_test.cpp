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

namespace korvane {
namespace {

using test::CountColour;
using test::Grab;

const QColor kField(30, 0, 50);
const QColor kCurve(255, 255, 0);
const QColor kCursor(6, 255, 255);
const QColor kMarker(0, 255, 255);

// A 600 x 300 display: plot (10, 10)..(590, 290), mid row 150, half height 140; a standard
// wave's curve spans columns 60..539.
class WaveDisplayTest : public ::testing::Test {
  protected:
    WaveDisplayTest() : library(0), channel(library) {
        display.SetChannel(&channel);
        display.resize(600, 300);
    }

    // Arbitrary table of `count` points at -3.5 V with points [high, high + 20] at +3.5 V,
    // shown through a window of zoom 2 at `position`.
    void ShowArbitrary(int count, float position, int high = 400) {
        channel.waveType = Arbitrary;
        channel.arbPointCount = count;
        for (int i = 0; i < count; ++i) {
            channel.arbPoints[i] = i >= high && i <= high + 20 ? 3.5f : -3.5f;
        }
        channel.arbZoom = 2;
        channel.SetArbView(position);
    }

    SimulatedDeviceLibrary library;
    ChannelState channel;
    WaveDisplay display;
};

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

struct LongNameCase {
    const char* name;
    int width;
    int fontPixels;
    bool print;
    bool clipped;
};

class LongFileNameTest : public WaveDisplayTest,
                         public ::testing::WithParamInterface<LongNameCase> {};

// A CSV file name of 200 characters, far wider than the room left of the top row's other texts.
QString LongCsvName() {
    QString name = QStringLiteral("sweep_");
    while (name.size() < 190) {
        name += QStringLiteral("segment_%1_").arg(name.size());
    }
    name.truncate(190);
    return name + QStringLiteral("_final.csv");
}

TEST_P(LongFileNameTest, NameIsElidedBeforeTheNextTextOnItsRow) {
    const LongNameCase& c = GetParam();
    ShowArbitrary(1000, 0.3f);
    channel.arbPoints[0] = c.clipped ? 9.0f : -3.5f;
    display.SetCursorIndex(350);
    display.resize(c.width, 300);
    QFont font = display.font();
    font.setPixelSize(c.fontPixels);
    display.setFont(font);
    const QString name = LongCsvName();
    ASSERT_EQ(name.size(), 200);
    display.SetFileName(name);

    test::TextRecorder recorder(display.size());
    {
        QPainter painter(&recorder);
        painter.setFont(display.font());
        if (c.print) {
            display.DrawWaveForPrint(painter, display.rect());
        } else {
            display.DrawWave(painter, display.rect());
        }
    }
    const std::vector<test::PaintedText>& texts = recorder.TextBoxes();
    const auto shown = std::find_if(texts.begin(), texts.end(), [](const test::PaintedText& t) {
        return t.text.startsWith(QStringLiteral("sweep_"));
    });
    ASSERT_NE(shown, texts.end());
    // The start and the extension stay; the middle gives way.
    EXPECT_LT(shown->text.size(), name.size());
    EXPECT_TRUE(shown->text.endsWith(QStringLiteral(".csv"))) << shown->text.toStdString();
    EXPECT_TRUE(shown->text.contains(QChar(0x2026))) << shown->text.toStdString();
    const QRectF nameBox = shown->box;
    EXPECT_LE(nameBox.right(), display.PlotRect().right());
    const QString readoutStart = QStringLiteral("%1V ").arg(-3.5, 0, 'f', 3);
    bool readoutSeen = false;
    for (const test::PaintedText& other : texts) {
        if (&other != &*shown) {
            readoutSeen = readoutSeen || other.text.startsWith(readoutStart);
            EXPECT_FALSE(other.box.intersects(nameBox))
                << other.text.toStdString() << " under " << shown->text.toStdString();
        }
    }
    EXPECT_TRUE(readoutSeen);
    // A filled shape either lies under the whole name (the field) or beside it (the bar).
    for (const QRectF& rect : recorder.Rects()) {
        EXPECT_TRUE(rect.contains(nameBox) || !rect.intersects(nameBox))
            << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
    }
}

INSTANTIATE_TEST_SUITE_P(Displays, LongFileNameTest,
                         ::testing::Values(LongNameCase{"Screen", 600, 12, false, false},
                                           LongNameCase{"WideScreen", 1200, 12, false, false},
                                           LongNameCase{"ScreenClipped", 600, 12, false, true},
                                           LongNameCase{"LargeFontClipped", 1200, 40, false, true},
                                           LongNameCase{"Print", 600, 12, true, false},
                                           LongNameCase{"PrintLargeFontClipped", 900, 40, true,
                                                        true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ThumbCase {
    int pointCount;
    float position;
    bool reachesEnd;
};

class PositionBarTest : public WaveDisplayTest, public ::testing::WithParamInterface<ThumbCase> {};

TEST_P(PositionBarTest, ThumbEndsAtTheInnerEdgeExactlyWhenTheWindowEndsAtTheLastPoint) {
    ShowArbitrary(GetParam().pointCount, GetParam().position, 0);
    ASSERT_EQ(channel.arbViewLast == GetParam().pointCount - 1, GetParam().reachesEnd);
    // Bar 200..399 on rows 15..24; inside 201..398 on rows 16..23.
    const QImage image = Grab(display);
    EXPECT_EQ(image.pixelColor(200, 20), kCurve);
    EXPECT_EQ(image.pixelColor(398, 20) == kCurve, GetParam().reachesEnd);
    EXPECT_EQ(image.pixelColor(399, 20), kCurve);
}

INSTANTIATE_TEST_SUITE_P(ViewWindows, PositionBarTest,
                         ::testing::Values(ThumbCase{1000, 0.9f, true},
                                           ThumbCase{1000, 0.3f, false}, ThumbCase{997, 0.7f, true},
                                           ThumbCase{4096, 0.99f, true},
                                           ThumbCase{4096, 0.1f, false}, ThumbCase{333, 0.5f, true},
                                           ThumbCase{1201, 0.7f, true},
                                           ThumbCase{1201, 0.6f, false}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName("points", p.pointCount, "at", p.position);
                         });

class PrintTest : public WaveDisplayTest {
  protected:
    QImage Print() {
        QImage page(600, 300, QImage::Format_RGB32);
        page.fill(QColor(90, 90, 90));
        QPainter painter(&page);
        display.DrawWaveForPrint(painter, page.rect());
        return page;
    }
    static bool Grey(const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() != c.green() || c.green() != c.blue()) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST_F(PrintTest, BlackOnWhiteWhateverTheScreenColours) {
    display.SetBackgroundColor(QColor(200, 0, 0));
    display.SetCurveColor(QColor(0, 200, 0));
    for (const int type : {Sine, Square, Arbitrary, GaussNoise}) {
        channel.waveType = type;
        const QImage page = Print();
        EXPECT_EQ(page.pixelColor(599, 0), QColor(Qt::white)) << type;
        EXPECT_EQ(page.pixelColor(599, 299), QColor(Qt::white)) << type;
        EXPECT_TRUE(Grey(page)) << type;
        EXPECT_GT(CountColour(page, page.rect(), Qt::black), 400) << type;
    }
}

TEST_F(PrintTest, StandardCurveUsesTheFullWidthWithoutMarkers) {
    channel.amplitude = 0.0f;  // a flat line along the mid row
    const QImage page = Print();
    EXPECT_EQ(page.pixelColor(2, 150), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(597, 150), QColor(Qt::black));
    EXPECT_EQ(CountColour(page, QRect(40, 40, 20, 100), Qt::black), 0);  // no amplitude marker
}

TEST_F(PrintTest, CursorIndexIsLimitedToTheTableAndTheScreenScaleIsKept) {
    ShowArbitrary(1000, 0.0f);
    channel.arbPoints[0] = 0.0f;  // the cross-hair runs along the mid row
    display.SetCursorIndex(-5);
    Grab(display);
    const float screenScale = channel.arbViewScale;
    EXPECT_EQ(CountColour(Grab(display), QRect(0, 0, 600, 300), kCursor), 0);

    const QImage page = Print();
    EXPECT_GT(CountColour(page, QRect(0, 150, 600, 1), Qt::black), 500);
    EXPECT_FLOAT_EQ(channel.arbViewScale, screenScale);
}

}  // namespace
}  // namespace korvane
