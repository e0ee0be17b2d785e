#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "i18n/language_table.h"
#include "shell/device_list_dialog.h"
#include "shell/status_text.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

TEST(StatusText, DateAndTimeLayout) {
    std::tm time{};
    time.tm_mday = 7;
    time.tm_mon = 11;
    time.tm_year = 2026 - 1900;
    time.tm_hour = 9;
    time.tm_min = 5;
    EXPECT_EQ(DateTimeText(time), "07.12.2026  09:05    ");
}

TEST(StatusText, DotsRunOneToSixAndStartAgain) {
    SearchDots dots;
    std::vector<int> seen;
    for (int i = 0; i < 8; ++i) {
        seen.push_back(dots.Current());
        dots.Advance();
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 1, 2}));
}

TEST(StatusBar, NoDeviceReadsNoItemWithAnEmptyDetail) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    program.Frame().CloseDevice(0);
    program.Frame().TimerTick();
    EXPECT_EQ(program.Frame().PaneText(0), QStringLiteral("No Item"));
    EXPECT_EQ(program.Frame().PaneText(1), QString());
}

TEST(StatusBar, DemoChannelReadsDemo) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    program.Frame().TimerTick();
    EXPECT_EQ(program.Frame().PaneText(0), QStringLiteral("Demo"));
    EXPECT_EQ(program.Frame().PaneText(1), QString());
    EXPECT_TRUE(program.Frame().PaneText(2).endsWith(QStringLiteral("    ")));
}

TEST(StatusBar, ConnectedDeviceShowsTheCombinedSerialNumber) {
    ProgramUnderTest program(4);
    program.responder.onDeviceList = [](DeviceListDialog& dialog) {
        dialog.List().selectRow(3);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    };
    ASSERT_TRUE(program.Start());
    ChannelState& channel = *program.Device(0).m_pState;
    ASSERT_EQ(channel.deviceIndex, 3);
    // The simulator reports the device index modulo 4 in bits 6 and 7 of the input word.
    ASSERT_TRUE(WaitFor([&] { return ((channel.digitalIn.load() >> 6) & 3) == 3; }));
    program.Frame().TimerTick();
    EXPECT_EQ(program.Frame().PaneText(0), QStringLiteral("Connect"));
    EXPECT_EQ(program.Frame().PaneText(1), QStringLiteral("Combine Device Serial Number : 3"));
}

TEST(StatusBar, UnpluggedDeviceShowsSearchingWithCyclingDots) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    ChannelState& channel = *program.Device(0).m_pState;
    program.Simulator().Unplug(0);
    ASSERT_TRUE(WaitFor([&] { return channel.reconnectPending != 0; }));
    QStringList states;
    for (int i = 0; i < 7; ++i) {
        program.Frame().TimerTick();
        states << program.Frame().PaneText(0);
    }
    // The dot count cycles 1..6 across the refreshes, whatever it was on the first.
    for (const QString& state : states) {
        ASSERT_TRUE(state.startsWith(QStringLiteral("Searching for hardware.")))
            << state.toStdString();
    }
    QList<int> dots;
    for (const QString& state : states) {
        dots << int(state.size() - QStringLiteral("Searching for hardware").size());
    }
    for (int i = 1; i < dots.size(); ++i) {
        EXPECT_EQ(dots[i], dots[i - 1] == 6 ? 1 : dots[i - 1] + 1);
    }
    EXPECT_EQ(program.Frame().PaneText(1), QStringLiteral("Combine Device Serial Number : ..."));

    program.Simulator().Replug(0);
    ASSERT_TRUE(WaitFor([&] { return channel.reconnectPending == 0; }));
    program.Frame().TimerTick();
    EXPECT_EQ(program.Frame().PaneText(0), QStringLiteral("Connect"));
}

TEST(StatusBar, ShowsTheSelectedTabsDevice) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));  // Demo 1, selected
    program.Frame().TimerTick();
    EXPECT_EQ(program.Frame().PaneText(0), QStringLiteral("Demo"));
    program.Frame().ActivateTab(0);
    program.Frame().TimerTick();
    EXPECT_EQ(program.Frame().PaneText(0), QStringLiteral("Connect"));
}

}  // namespace
}  // namespace korvane
