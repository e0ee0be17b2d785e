// The two measuring cursors on the arbitrary display and their readout.
#include <QImage>
#include <QMouseEvent>
#include <limits>

#include "engine/point_table.h"
#include "support/param_name.h"
#include "view/wave_cursor_readout.h"
#include "view/wave_cursors.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

struct TextCase {
    double value;
    const char* unit;
    const char* expected;
};

class EngineeringTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(EngineeringTextTest, PicksThePrefix) {
    const TextCase& c = GetParam();
    EXPECT_EQ(EngineeringText(c.value, QString::fromUtf8(c.unit)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Values, EngineeringTextTest,
    ::testing::Values(TextCase{0.00125, "s", "1.250 ms"}, TextCase{50e-6, "s", "50.000 \u00B5s"},
                      TextCase{-1.5, "V", "-1.500 V"}, TextCase{20000.0, "Hz", "20.000 kHz"},
                      TextCase{2.5e6, "Hz", "2.500 MHz"}, TextCase{3e-9, "s", "3.000 ns"},
                      TextCase{0.0, "V", "0.000 V"}, TextCase{0.9999999, "s", "1.000 s"},
                      TextCase{std::numeric_limits<double>::infinity(), "Hz", "-- Hz"}),
    [](const auto& info) { return test::ParamName("shows", info.param.expected); });

TEST(CursorReadout, TimesFollowThePeriod) {
    EXPECT_DOUBLE_EQ(PointSeconds(250, 1000, 1000.0), 250e-6);
    EXPECT_DOUBLE_EQ(PointSeconds(3, 0, 1000.0), 0.0);
    EXPECT_DOUBLE_EQ(PointSeconds(3, 10, 0.0), 0.0);
    EXPECT_EQ(CursorDeltaLine({1e-3, 1.0}, {1e-3, 2.0}),
              QString::fromUtf8("\u0394t = 0.000 s   \u0394V = 1.000 V   1/\u0394t = -- Hz"));
    // From cursor 1 to cursor 2, whichever lies further on; 1/Δt is always a frequency.
    EXPECT_EQ(
        CursorDeltaLine({3e-3, 1.0}, {1e-3, -1.0}),
        QString::fromUtf8("\u0394t = -2.000 ms   \u0394V = -2.000 V   1/\u0394t = 500.000 Hz"));
}

class WaveCursorsTest : public FrontPanelTest {
  protected:
    WaveCursorsTest() {
        Press(*form().waveKeys[Arbitrary]);
        channel().SetFrequency(1000.0);
        WritePointTable(channel(), PointTable(1000, 0.0f));
        channel().arbZoom = 4;  // a window of 201 points, each with a column of its own
        view->TimerTick();
        plot = view->Plot();
        channel().ArbViewScale(float(plot.right - plot.left));
    }
    int ColumnOf(int index) {
        return plot.left +
               static_cast<int>((index - channel().arbViewFirst) * double(channel().arbViewScale) +
                                0.5);
    }
    void Click(Qt::MouseButton button, int point) {
        QTest::mousePress(view.get(), button, Qt::NoModifier, {ColumnOf(point), plot.top + 50});
        QTest::mouseRelease(view.get(), button, Qt::NoModifier, {ColumnOf(point), plot.top + 50});
    }
    WaveCursors& cursors() { return view->Cursors(); }

    PlotArea plot;
};

TEST_F(WaveCursorsTest, TwoRightClicksPlaceBothCursorsAndShowTheirDifference) {
    channel().arbPoints[20] = 1.0f;
    channel().arbPoints[70] = -0.5f;
    EXPECT_TRUE(cursors().ReadoutText().isEmpty());
    Click(Qt::RightButton, 20);
    EXPECT_EQ(cursors().CursorPoint(0), 20);
    EXPECT_EQ(cursors().ReadoutText(), QString::fromUtf8("C1  t = 20.000 \u00B5s   V = 1.000 V"));
    Click(Qt::RightButton, 70);
    EXPECT_EQ(cursors().CursorPoint(1), 70);
    // 1000 points at 1 kHz: a microsecond per point.
    EXPECT_EQ(cursors().ReadoutText(),
              QString::fromUtf8("C1  t = 20.000 \u00B5s   V = 1.000 V\n"
                                "C2  t = 70.000 \u00B5s   V = -0.500 V\n"
                                "\u0394t = 50.000 \u00B5s   \u0394V = -1.500 V   "
                                "1/\u0394t = 20.000 kHz"))
        << cursors().ReadoutText().toStdString();
    // Placing cursors draws nothing into the table.
    EXPECT_EQ(ReadPointTable(channel())[21], 0.0f);
}

TEST_F(WaveCursorsTest, ARightClickMovesTheNearerCursorAndDraggingCarriesIt) {
    Click(Qt::RightButton, 20);
    Click(Qt::RightButton, 150);
    Click(Qt::RightButton, 130);  // nearer to cursor 2
    EXPECT_EQ(cursors().CursorPoint(0), 20);
    EXPECT_EQ(cursors().CursorPoint(1), 130);

    QTest::mousePress(view.get(), Qt::RightButton, Qt::NoModifier, {ColumnOf(25), plot.top + 9});
    QMouseEvent drag(QEvent::MouseMove, QPointF(ColumnOf(60), plot.top + 30), QPointF(),
                     Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &drag);
    EXPECT_EQ(cursors().CursorPoint(0), 60);
    QTest::mouseRelease(view.get(), Qt::RightButton, Qt::NoModifier, {ColumnOf(60), plot.top});
    // After the release moving the pointer leaves the cursors where they are.
    QMouseEvent move(QEvent::MouseMove, QPointF(ColumnOf(90), plot.top + 30), QPointF(),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &move);
    EXPECT_EQ(cursors().CursorPoint(0), 60);
    EXPECT_EQ(cursors().CursorPoint(1), 130);
    EXPECT_TRUE(cursors().ReadoutText().contains(QString::fromUtf8("\u0394t = 70.000 \u00B5s")));
}

// The number of pixels of `colour` in column x of the view's picture.
int PixelsInColumn(const QImage& image, int x, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

TEST_F(WaveCursorsTest, TheCursorsAreDrawnOverTheDisplay) {
    const QColor first(255, 210, 60);
    const QColor second(90, 220, 255);
    EXPECT_EQ(PixelsInColumn(view->grab().toImage(), ColumnOf(40), first), 0);
    Click(Qt::RightButton, 40);
    Click(Qt::RightButton, 120);
    const QImage picture = view->grab().toImage();
    // Dashed lines down the plot: a good part of its height in each cursor's colour.
    EXPECT_GT(PixelsInColumn(picture, ColumnOf(40), first), (plot.bottom - plot.top) / 4);
    EXPECT_GT(PixelsInColumn(picture, ColumnOf(120), second), (plot.bottom - plot.top) / 4);
}

TEST_F(WaveCursorsTest, TheMiddleButtonTakesThemAway) {
    Click(Qt::RightButton, 20);
    Click(Qt::RightButton, 40);
    Click(Qt::MiddleButton, 100);
    EXPECT_EQ(cursors().CursorPoint(0), std::nullopt);
    EXPECT_EQ(cursors().CursorPoint(1), std::nullopt);
    EXPECT_TRUE(cursors().ReadoutText().isEmpty());
}

TEST_F(WaveCursorsTest, AClickOutsideThePlotPlacesNothing) {
    QTest::mousePress(view.get(), Qt::RightButton, Qt::NoModifier, {plot.left - 5, plot.top + 5});
    QTest::mouseRelease(view.get(), Qt::RightButton, Qt::NoModifier, {plot.left - 5, plot.top + 5});
    EXPECT_EQ(cursors().CursorPoint(0), std::nullopt);
}

TEST_F(WaveCursorsTest, TheReadoutFollowsTheTableAndHidesForStandardWaves) {
    Click(Qt::RightButton, 10);
    channel().arbPoints[10] = 2.25f;
    EXPECT_TRUE(cursors().ReadoutText().contains(QStringLiteral("V = 2.250 V")));
    // A shorter table keeps the cursor on its last point.
    WritePointTable(channel(), PointTable(5, -1.0f));
    EXPECT_EQ(cursors().CursorPoint(0), 4);
    Press(*form().waveKeys[Sine]);
    EXPECT_TRUE(cursors().ReadoutText().isEmpty());
}

}  // namespace
}  // namespace korvane::test
