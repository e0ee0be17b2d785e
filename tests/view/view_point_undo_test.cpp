// Undo and redo of the arbitrary point table across every kind of edit, the tools of the Edit
// menu, and the straight line drawn with Shift.
#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "document/command_ids.h"
#include "document/csv_commands.h"
#include "document/point_edits.h"
#include "engine/point_table.h"
#include "engine/point_tools.h"
#include "view/dialogs/points_edit_dialog.h"
#include "view/entry/num_edit.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

// Runs `answer` on the modal dialog as soon as it shows.
void WhenModalShows(std::function<void(QWidget&)> answer) {
    QTimer::singleShot(0, [answer] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            answer(*dialog);
        }
    });
}

class PointUndoTest : public FrontPanelTest {
  protected:
    PointUndoTest() {
        Press(*form().waveKeys[Arbitrary]);
        channel().arbZoom = 4;  // a window of 201 points, each with a column of its own
        view->TimerTick();
        plot = view->Plot();
        channel().ArbViewScale(float(plot.right - plot.left));
        WritePointTable(channel(), PointTable(1000, 0.0f));
        document.m_pointHistory.Clear();
        ClearQueue();
    }
    int ColumnOf(int index) {
        return plot.left +
               static_cast<int>((index - channel().arbViewFirst) * double(channel().arbViewScale) +
                                0.5);
    }
    void Stroke(int from, int fromY, int to, int toY) {
        QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(from), fromY});
        QTest::mouseMove(view.get(), {ColumnOf(from), fromY});
        QTest::mouseMove(view.get(), {ColumnOf(to), toY});
        QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(to), toY});
    }
    bool Run(int command) { return RouteCommand({&view->Commands()}, command); }
    bool Enabled(int command) { return RouteUpdate({&view->Commands()}, command).enabled; }
    PointTable Table() { return ReadPointTable(channel()); }

    PlotArea plot;
};

TEST_F(PointUndoTest, AStrokeIsOneStepAndEachStateIsDownloaded) {
    EXPECT_FALSE(Enabled(kCmdEditUndo));
    EXPECT_FALSE(Enabled(kCmdEditRedo));
    const PointTable before = Table();
    Stroke(10, plot.top + 40, 50, plot.bottom - 30);
    const PointTable drawn = Table();
    ASSERT_NE(drawn, before);
    ClearQueue();

    EXPECT_TRUE(Enabled(kCmdEditUndo));
    ASSERT_TRUE(Run(kCmdEditUndo));
    EXPECT_EQ(Table(), before);
    EXPECT_EQ(Queue(), std::vector<int>{Download});
    EXPECT_FALSE(Enabled(kCmdEditUndo));
    EXPECT_TRUE(Enabled(kCmdEditRedo));
    ClearQueue();

    ASSERT_TRUE(Run(kCmdEditRedo));
    EXPECT_EQ(Table(), drawn);
    EXPECT_EQ(Queue(), std::vector<int>{Download});
    EXPECT_FALSE(Enabled(kCmdEditRedo));
}

TEST_F(PointUndoTest, UndoesEveryKindOfEditInTurn) {
    std::vector<PointTable> states{Table()};
    // A stroke.
    Stroke(10, plot.top + 40, 30, plot.top + 80);
    states.push_back(Table());
    // Points Edit: two typed voltages while the dialog is open make one step.
    WhenModalShows([](QWidget& widget) {
        auto& dialog = dynamic_cast<PointsEditDialog&>(widget);
        TypeInto(dialog.VoltageField(), "1.5");
        QTest::mouseClick(&dialog.NextButton(), Qt::LeftButton);
        TypeInto(dialog.VoltageField(), "-2");
        dialog.reject();
    });
    ASSERT_TRUE(Run(kCmdPointsEdit));
    ASSERT_FLOAT_EQ(channel().arbPoints[1], -2.0f);
    states.push_back(Table());
    // A tool.
    ASSERT_TRUE(Run(kCmdInvertPoints));
    states.push_back(Table());
    // Opening a CSV file.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("wave.csv"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#CLOCK=4000.000000\r\n#SIZE=4\r\n0.5,0,0\r\n-1.25,0,0\r\n2.0,0,0\r\n0,0,0\r\n");
    }
    ImportCsv(document, path);
    ASSERT_EQ(channel().arbPointCount, 4);
    states.push_back(Table());
    // Converting a standard wave into points.
    Press(*form().waveKeys[Sine]);
    Press(*form().waveKeys[Arbitrary]);
    ASSERT_EQ(channel().waveType, Arbitrary);
    states.push_back(Table());
    for (std::size_t k = 1; k < states.size(); ++k) {
        ASSERT_NE(states[k], states[k - 1]) << "edit " << k << " changed nothing";
    }

    for (std::size_t k = states.size() - 1; k > 0; --k) {
        ClearQueue();
        ASSERT_TRUE(Run(kCmdEditUndo)) << "undo to state " << k - 1;
        EXPECT_EQ(Table(), states[k - 1]) << "undo to state " << k - 1;
        EXPECT_EQ(Queue(), std::vector<int>{Download});
    }
    EXPECT_FALSE(Enabled(kCmdEditUndo));
    for (std::size_t k = 1; k < states.size(); ++k) {
        ASSERT_TRUE(Run(kCmdEditRedo));
        EXPECT_EQ(Table(), states[k]) << "redo to state " << k;
    }
}

TEST_F(PointUndoTest, KeepsAHundredStrokes) {
    std::vector<PointTable> states{Table()};
    for (int k = 0; k < 120; ++k) {
        const int at = k % 150;
        Stroke(at, plot.top + 10 + k, at + 20, plot.bottom - 10 - k);
        states.push_back(Table());
    }
    for (int k = 0; k < 100; ++k) {
        ASSERT_TRUE(Run(kCmdEditUndo)) << "undo " << k + 1;
        ASSERT_EQ(Table(), states[states.size() - 2 - std::size_t(k)]) << "undo " << k + 1;
    }
    EXPECT_FALSE(Enabled(kCmdEditUndo));
}

TEST_F(PointUndoTest, UndoWaitsWhileAStrokeIsDrawn) {
    Stroke(10, plot.top + 40, 30, plot.top + 40);
    const PointTable first = Table();
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(50), plot.top + 5});
    QTest::mouseMove(view.get(), {ColumnOf(60), plot.top + 5});
    const PointTable drawing = Table();
    EXPECT_FALSE(Enabled(kCmdEditUndo));
    Run(kCmdEditUndo);
    EXPECT_EQ(Table(), drawing);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(60), plot.top + 5});
    ASSERT_TRUE(Run(kCmdEditUndo));
    EXPECT_EQ(Table(), first);
}

TEST_F(PointUndoTest, ClickingWithoutMovingRecordsNoStep) {
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(5), plot.top + 5});
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {ColumnOf(5), plot.top + 5});
    EXPECT_FALSE(Enabled(kCmdEditUndo));
}

TEST_F(PointUndoTest, ShiftPressDrawsAStraightLineFromTheLastDrawnPoint) {
    Stroke(20, plot.top + 40, 40, plot.top + 40);
    const float start = channel().arbPoints[40];
    ASSERT_GT(start, 2.0f);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::ShiftModifier, {ColumnOf(140), plot.bottom});
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::ShiftModifier,
                        {ColumnOf(140), plot.bottom});
    EXPECT_FLOAT_EQ(channel().arbPoints[140], -3.5f);
    for (int j = 41; j < 140; ++j) {
        EXPECT_NEAR(channel().arbPoints[j], start + (j - 40) * (-3.5f - start) / 100.0f, 1e-5) << j;
    }
    EXPECT_EQ(channel().arbPoints[141], 0.0f);
    // The line is a step of its own.
    ASSERT_TRUE(Run(kCmdEditUndo));
    EXPECT_EQ(channel().arbPoints[90], 0.0f);
    EXPECT_FLOAT_EQ(channel().arbPoints[40], start);
}

TEST_F(PointUndoTest, AShiftPressBeforeAnyDrawingOnlyStartsAStroke) {
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::ShiftModifier, {ColumnOf(60), plot.top});
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::ShiftModifier, {ColumnOf(60), plot.top});
    EXPECT_EQ(Table(), PointTable(1000, 0.0f));
}

struct ToolCase {
    const char* name;
    int command;
    const char* typed;  // the answer to the tool's dialog, or null when it asks nothing
    std::function<PointTable(const PointTable&)> expected;
};

class PointToolMenuTest : public PointUndoTest, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(PointToolMenuTest, ChangesTheTableAsOneUndoStep) {
    const ToolCase& c = GetParam();
    for (int k = 0; k < 1000; ++k) {
        channel().arbPoints[static_cast<std::size_t>(k)] = (k % 10 == 0) ? 1.0f : (k % 7) * 0.1f;
    }
    const PointTable before = Table();
    bool asked = false;
    if (c.typed != nullptr) {
        WhenModalShows([&asked, typed = c.typed](QWidget& widget) {
            auto& dialog = dynamic_cast<QInputDialog&>(widget);
            asked = true;
            auto* field = dialog.findChild<QLineEdit*>();
            ASSERT_NE(field, nullptr);
            TypeInto(*field, typed);
            dialog.accept();
        });
    }
    ASSERT_TRUE(Enabled(c.command));
    ClearQueue();
    ASSERT_TRUE(Run(c.command));
    EXPECT_EQ(asked, c.typed != nullptr);
    EXPECT_EQ(Table(), c.expected(before));
    EXPECT_EQ(Queue(), std::vector<int>{Download});
    ASSERT_TRUE(Run(kCmdEditUndo));
    EXPECT_EQ(Table(), before);
}

INSTANTIATE_TEST_SUITE_P(
    EditMenu, PointToolMenuTest,
    ::testing::Values(ToolCase{"Smooth", kCmdSmoothPoints, "9",
                               [](const PointTable& p) { return SmoothPoints(p, 9); }},
                      ToolCase{"Normalise", kCmdNormalisePoints, "2.5",
                               [](const PointTable& p) { return NormalisePoints(p, 2.5); }},
                      ToolCase{"Invert", kCmdInvertPoints, nullptr, InvertPoints},
                      ToolCase{"Reverse", kCmdReversePoints, nullptr, ReversePoints},
                      ToolCase{"Shift", kCmdShiftPoints, "-25",
                               [](const PointTable& p) { return ShiftPoints(p, -25); }}),
    [](const ::testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.name); });

TEST_F(PointUndoTest, ACancelledToolDialogChangesNothing) {
    WhenModalShows([](QWidget& widget) { dynamic_cast<QDialog&>(widget).reject(); });
    channel().arbPoints[3] = 1.0f;
    const PointTable before = Table();
    ASSERT_TRUE(Run(kCmdSmoothPoints));
    EXPECT_EQ(Table(), before);
    EXPECT_FALSE(Enabled(kCmdEditUndo));
}

TEST_F(FrontPanelTest, UndoAndToolsWaitForTheArbitraryType) {
    for (const int command : {kCmdEditUndo, kCmdEditRedo, kCmdSmoothPoints, kCmdInvertPoints,
                              kCmdReversePoints, kCmdShiftPoints, kCmdNormalisePoints}) {
        EXPECT_FALSE(RouteUpdate({&view->Commands()}, command).enabled) << command;
    }
}

}  // namespace
}  // namespace korvane::test
