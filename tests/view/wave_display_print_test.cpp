// The display's top row (a long file name, the position bar) and the printed picture.
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
