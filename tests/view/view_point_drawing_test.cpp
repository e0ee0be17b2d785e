// Drawing arbitrary points with the mouse on the front panel's display.
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <optional>

#include "document/command_ids.h"
#include "view/dialogs/points_edit_dialog.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

// Closes the Points Edit dialog as soon as it shows, noting the point it opened on.
class PointsEditCloser {
  public:
    PointsEditCloser() {
        QTimer::singleShot(0, [this] {
            if (auto* dialog = qobject_cast<PointsEditDialog*>(QApplication::activeModalWidget())) {
                openedOn = dialog->Point();
                dialog->reject();
            }
        });
    }
    std::optional<int> openedOn;
};

class PointDrawingPanelTest : public FrontPanelTest {
  protected:
    PointDrawingPanelTest() {
        Press(*form().waveKeys[Arbitrary]);
        // A window of 201 of the 1000 points, so every point has a column of its own.
        channel().arbZoom = 4;
        view->TimerTick();
        plot = view->Plot();
        channel().ArbViewScale(float(plot.right - plot.left));
        for (int i = 0; i < kMaxPoints; ++i) {
            channel().arbPoints[i] = 0.0f;
        }
        ClearQueue();
    }
    // The form column of point `index` of the display window.
    int ColumnOf(int index) {
        return plot.left +
               static_cast<int>((index - channel().arbViewFirst) * double(channel().arbViewScale) +
                                0.5);
    }
    void DragTo(QPoint at) { QTest::mouseMove(view.get(), at); }

    PlotArea plot;
};

TEST_F(PointDrawingPanelTest, FastStrokeFromTenToFiftyFillsElevenToFifty) {
    ASSERT_EQ(channel().arbPointCount, 1000);
    ASSERT_GT(channel().arbViewScale, 1.0f);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(10), plot.top + 40});
    EXPECT_TRUE(view->Dragging());
    EXPECT_EQ(view->Display().CursorIndex(), 10);
    DragTo({ColumnOf(10), plot.top + 40});
    DragTo({ColumnOf(50), plot.bottom - 30});
    EXPECT_TRUE(Queue().empty());
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier,
                        {ColumnOf(50), plot.bottom - 30});

    const float start = channel().arbPoints[10];
    const float end = channel().arbPoints[50];
    EXPECT_GT(start, 2.0f);
    EXPECT_LT(end, -2.0f);
    for (int j = 11; j <= 50; ++j) {
        EXPECT_NEAR(channel().arbPoints[j], start + (j - 10) * (end - start) / 40.0f, 1e-5) << j;
    }
    EXPECT_EQ(channel().arbPoints[51], 0.0f);
    EXPECT_FALSE(view->Dragging());
    EXPECT_EQ(Queue(), std::vector<int>{Download});  // one download per stroke
}

TEST_F(PointDrawingPanelTest, DragAboveThePlotSetsPlusThreeAndAHalfVolts) {
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(100), plot.top + 50});
    DragTo({ColumnOf(100), plot.top - 8});
    EXPECT_FLOAT_EQ(channel().arbPoints[100], 3.5f);
    EXPECT_EQ(view->Display().CursorX(), kCursorOutside);
    DragTo({ColumnOf(120), plot.bottom + 8});
    EXPECT_FLOAT_EQ(channel().arbPoints[120], -3.5f);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(120), 0});
}

TEST_F(PointDrawingPanelTest, MovingWithoutAButtonOnlyMovesTheCursor) {
    QMouseEvent move(QEvent::MouseMove, QPointF(ColumnOf(150), plot.top + 20), QPointF(),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &move);
    EXPECT_EQ(view->Display().CursorIndex(), 150);
    EXPECT_EQ(view->Display().CursorX(), ColumnOf(150) - plot.left);
    EXPECT_EQ(channel().arbPoints[150], 0.0f);
}

TEST_F(PointDrawingPanelTest, PressOutsideThePlotDrawsNothingButReleaseStillSends) {
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {plot.left - 5, plot.top + 20});
    EXPECT_FALSE(view->Dragging());
    DragTo({ColumnOf(30), plot.top + 20});
    EXPECT_EQ(channel().arbPoints[30], 0.0f);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(30), plot.top});
    EXPECT_EQ(Queue(), std::vector<int>{Download});
}

TEST_F(PointDrawingPanelTest, TheMouseIsHeldDuringAStrokeAndLetGoAfter) {
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(10), plot.top + 40});
    EXPECT_EQ(QWidget::mouseGrabber(), view.get());
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(10), plot.top});
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(PointDrawingPanelTest, DoubleClickOutsideThePlotOpensNothingButQueuesADownload) {
    PointsEditCloser closer;
    QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::NoModifier, {plot.left - 5, 5});
    QApplication::processEvents();
    EXPECT_FALSE(closer.openedOn.has_value());
    EXPECT_FALSE(Queue().empty());
    EXPECT_TRUE(RouteUpdate({&view->Commands()}, kCmdPointsEdit).enabled);
}

TEST_F(PointDrawingPanelTest, DoubleClickInThePlotOpensPointsEditOnThePointUnderThePointer) {
    PointsEditCloser closer;
    QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(60), plot.top + 30});
    EXPECT_EQ(closer.openedOn, 60);
    EXPECT_FALSE(Queue().empty());
}

TEST_F(PointDrawingPanelTest, PointsEditFromTheMenuStartsAtTheWindowStart) {
    PointsEditCloser closer;
    RouteCommand({&view->Commands()}, kCmdPointsEdit);
    EXPECT_EQ(closer.openedOn, 0);
    EXPECT_EQ(Queue(), std::vector<int>{Download});
}

TEST_F(FrontPanelTest, StandardWavesIgnoreTheMouse) {
    const PlotArea plot = view->Plot();
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {plot.left + 20, plot.top + 5});
    QTest::mouseMove(view.get(), {plot.left + 60, plot.top + 5});
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {plot.left + 60, plot.top});
    EXPECT_FALSE(view->Dragging());
    EXPECT_EQ(channel().arbPoints[0], 0.0f);
    EXPECT_TRUE(Queue().empty());
    EXPECT_FALSE(RouteUpdate({&view->Commands()}, kCmdPointsEdit).enabled);
}

}  // namespace
}  // namespace korvane::test
