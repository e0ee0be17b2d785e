#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <ctime>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "shell/status_text.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

QLabel* ClockPane(CMainFrame& frame) {
    for (QLabel* label : frame.statusBar()->findChildren<QLabel*>()) {
        if (!label->text().isEmpty() && label->text() == frame.PaneText(2)) {
            return label;
        }
    }
    return nullptr;
}

int FittingWidth(const QLabel& pane) {
    return pane.fontMetrics().horizontalAdvance(pane.text()) + 10 + pane.contentsMargins().left() +
           pane.contentsMargins().right();
}

QString NowText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return QString::fromStdString(DateTimeText(local));
}

TEST(FrameTick, TheClockPaneShowsTheTimeAndFitsIt) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    const QString before = NowText();
    program.Frame().TimerTick();
    const QString after = NowText();
    const QString shown = program.Frame().PaneText(2);
    EXPECT_TRUE(shown == before || shown == after) << shown.toStdString();
    QLabel* clock = ClockPane(program.Frame());
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->width(), FittingWidth(*clock));
}

TEST(FrameTick, TheClockPaneIsRefittedWhenItsFontChanges) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    program.Frame().TimerTick();
    QLabel* clock = ClockPane(program.Frame());
    ASSERT_NE(clock, nullptr);
    const int narrow = clock->width();

    QFont large = clock->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    clock->setFont(large);
    program.Frame().TimerTick();
    EXPECT_EQ(clock->width(), FittingWidth(*clock));
    EXPECT_GT(clock->width(), narrow);
}

// The toolbar's buttons follow the commands of the active window on every tick, both ways.
TEST(FrameTick, ToolbarButtonsFollowTheirCommands) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    ChannelState& channel = *program.Device(0).m_pState;
    QWidget* zoomOut =
        program.Frame().MainToolBar().widgetForAction(program.Frame().CommandAction(kCmdZoomOut));
    ASSERT_NE(zoomOut, nullptr);

    struct Step {
        int waveType;
        int zoom;
        bool enabled;
    } steps[] = {{Sine, 0, false},      {Arbitrary, 1, true}, {Arbitrary, 1, true},
                 {Arbitrary, 0, false}, {Arbitrary, 2, true}, {Sine, 2, false}};
    for (const Step& step : steps) {
        channel.SetWaveType(step.waveType);
        channel.arbZoom = step.zoom;
        program.Frame().TimerTick();
        EXPECT_EQ(zoomOut->isEnabled(), step.enabled) << step.waveType << " " << step.zoom;
    }
}

TEST(FrameTick, ACheckMarkFollowsItsCommand) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    QAction* showHide = program.Frame().CommandAction(kCmdShowHideControl);
    ASSERT_TRUE(showHide->isCheckable());
    program.Frame().TimerTick();
    EXPECT_TRUE(showHide->isChecked());
    program.Frame().OnCommand(kCmdShowHideControl);
    EXPECT_FALSE(showHide->isChecked());
    program.Frame().TimerTick();
    EXPECT_FALSE(showHide->isChecked());
    program.Frame().OnCommand(kCmdShowHideControl);
    EXPECT_TRUE(showHide->isChecked());
}

}  // namespace
}  // namespace korvane
