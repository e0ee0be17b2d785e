// The one-page generator report's texts and layout on a page of logical units.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "report_pdf.h"
#include "view/report.h"

namespace korvane::test {
namespace {

TEST(ReportTextsTest, EmptyLanguageTextsFallBackToEnglish) {
    const ReportTexts texts = ReportTexts::FromLanguage(
        [](int key) { return key == 2013 ? QStringLiteral("BERICHT") : QString(); });
    EXPECT_EQ(texts.title, "BERICHT");
    EXPECT_EQ(texts.date, "DATE");
    EXPECT_EQ(texts.offset, "Y Offset");
    EXPECT_EQ(texts.counterMeasure, "Counter Measure");
    EXPECT_EQ(texts.note, "Note:");
    EXPECT_EQ(texts.device, "Device");
    EXPECT_EQ(texts.phase, "Phase");
}

// Drawn unscaled on an 850 x 1202 picture, one logical unit is one pixel.
class ReportLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        page.fill(Qt::white);
        ReportContent content = KnownContent();
        content.drawWave = [this](QPainter&, const QRect& area) { waveAreas.push_back(area); };
        QPainter painter(&page);
        DrawReport(painter, page.rect(), content, kPrintTime);
    }
    bool Black(int x, int y) const { return page.pixelColor(x, y) == QColor(Qt::black); }

    QImage page{850, 1202, QImage::Format_RGB32};
    std::vector<QRect> waveAreas;
};

TEST_F(ReportLayoutTest, FourFramesAtTheirMargins) {
    const int y = 1202 / 2;
    // Left edges at 4 %, 5 %, 5.2 % and 5.3 % of the width, truncated.
    for (int x = 30; x < 50; ++x) {
        const bool frame = x == 34 || x == 42 || x == 44 || x == 45;
        EXPECT_EQ(Black(x, y), frame) << "x " << x;
    }
    // Right edges one unit inside 96 %, 95 %, 94.8 % and 94.7 %.
    for (int x = 800; x < 820; ++x) {
        const bool frame = x == 815 || x == 806 || x == 804 || x == 803;
        EXPECT_EQ(Black(x, y), frame) << "x " << x;
    }
    // Top edges at 4 % .. 5.3 % of the height.
    const int x = 850 / 2;
    for (const int top : {48, 60, 62, 63}) {
        EXPECT_TRUE(Black(x, top)) << "y " << top;
    }
    EXPECT_FALSE(Black(x, 55));
}

TEST_F(ReportLayoutTest, TheWaveformTakesHalfThePageBetweenTheSideMargins) {
    ASSERT_EQ(waveAreas.size(), 1u);
    const QRect area = waveAreas.front();
    EXPECT_EQ(area.left(), 63);  // 7.5 % of 850, truncated
    EXPECT_EQ(area.left() + area.width(), 850 - 63);
    EXPECT_EQ(area.top() + area.height(), int(1202 * 0.5 + area.top()));
    // Below the title (at 6 % of the height), the caption and the date line.
    EXPECT_GT(area.top(), 72 + 50);
    EXPECT_LT(area.top(), 72 + 50 + 30 + 20 + 3);
}

TEST_F(ReportLayoutTest, TitleIsCentredAndTheNoteLinesReachNinetyPercent) {
    // The title's ink lies on both sides of the middle, in the band below 6 % of the height.
    int leftmost = 850;
    int rightmost = 0;
    for (int y = 72; y < 72 + 50; ++y) {
        for (int x = 100; x < 750; ++x) {
            if (page.pixelColor(x, y).lightness() < 128) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    ASSERT_LT(leftmost, rightmost);
    EXPECT_NEAR((leftmost + rightmost) / 2.0, 425.0, 6.0);
    // Four horizontal note lines end at 90 % of the width; the last three start at 10 %.
    int fullLines = 0;
    for (int y = 900; y < 1100; ++y) {  // above the bottom frames
        bool full = true;
        for (int x = 85; x < 765; x += 5) {
            full = full && Black(x, y);
        }
        fullLines += full ? 1 : 0;
        if (full) {
            EXPECT_FALSE(Black(766, y)) << "line at " << y << " ends at 765";
        }
    }
    EXPECT_EQ(fullLines, 3);
}

}  // namespace
}  // namespace korvane::test
