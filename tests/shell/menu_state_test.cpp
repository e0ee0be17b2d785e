#include <gtest/gtest.h>

#include "support/param_name.h"

#include <QAction>
#include <QMenuBar>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

struct WaveMenuCase {
    int waveType;
    int enabledParameterItem;  // 0: none of the five
    bool sweepEnabled;
};

class WaveParameterMenu : public ::testing::TestWithParam<WaveMenuCase> {};

TEST_P(WaveParameterMenu, OnlyTheCurrentWaveTypesItemIsEnabled) {
    const WaveMenuCase& c = GetParam();
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    program.Device(0).m_pState->SetWaveType(c.waveType);
    for (const int item : {kCmdSquare, kCmdRamp, kCmdTrapezia, kCmdExponent, kCmdAmFm}) {
        QAction* action = program.MenuItem(item);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->isEnabled(), item == c.enabledParameterItem) << item;
    }
    EXPECT_EQ(program.MenuItem(kCmdSweep)->isEnabled(), c.sweepEnabled);
    EXPECT_EQ(program.MenuItem(kCmdPointsEdit)->isEnabled(), c.waveType == Arbitrary);
}

INSTANTIATE_TEST_SUITE_P(Table, WaveParameterMenu,
                         ::testing::Values(WaveMenuCase{Sine, 0, true},
                                           WaveMenuCase{Ramp, kCmdRamp, false},
                                           WaveMenuCase{Square, kCmdSquare, false},
                                           WaveMenuCase{Exponent, kCmdExponent, false},
                                           WaveMenuCase{Arbitrary, 0, false},
                                           WaveMenuCase{Trapezia, kCmdTrapezia, false},
                                           WaveMenuCase{AmFm, kCmdAmFm, false},
                                           WaveMenuCase{GaussNoise, 0, false},
                                           WaveMenuCase{WhiteNoise, 0, false}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::WaveName(p.waveType);
                         });

TEST(DigitalIoMenu, ModesAreExclusiveAndOutputSetNeedsProgrammableOutput) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    ChannelState& channel = *program.Device(0).m_pState;
    ASSERT_EQ(channel.dioMode, 0);
    EXPECT_TRUE(program.MenuItem(kCmdPatternGenerator)->isChecked());
    EXPECT_FALSE(program.MenuItem(kCmdProgrammableOutput)->isChecked());
    EXPECT_FALSE(program.MenuItem(kCmdOutputSet)->isEnabled());

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdProgrammableOutput));
    EXPECT_EQ(channel.dioMode, 1);
    EXPECT_FALSE(program.MenuItem(kCmdPatternGenerator)->isChecked());
    EXPECT_TRUE(program.MenuItem(kCmdProgrammableOutput)->isChecked());
    EXPECT_TRUE(program.MenuItem(kCmdOutputSet)->isEnabled());

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdPatternGenerator));
    EXPECT_EQ(channel.dioMode, 0);
    EXPECT_TRUE(program.MenuItem(kCmdPatternGenerator)->isChecked());
}

TEST(PowerOnMenu, ExactlyOneItemIsChecked) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    ChannelState& channel = *program.Device(0).m_pState;
    for (const int value : {1, 0, 1}) {
        ASSERT_TRUE(
            program.ChooseMenuCommand(value == 1 ? kCmdPowerOnOutputOpen : kCmdPowerOnOutputClose));
        EXPECT_EQ(channel.powerOnOutput, value);
        EXPECT_EQ(program.MenuItem(kCmdPowerOnOutputOpen)->isChecked(), value == 1);
        EXPECT_EQ(program.MenuItem(kCmdPowerOnOutputClose)->isChecked(), value == 0);
    }
}

TEST(PowerOnMenu, ADemoChannelIgnoresTheCommand) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    ChannelState& channel = *program.Device(0).m_pState;
    const int before = channel.powerOnOutput;
    program.ChooseMenuCommand(before == 1 ? kCmdPowerOnOutputClose : kCmdPowerOnOutputOpen);
    EXPECT_EQ(channel.powerOnOutput, before);
}

TEST(MenuBars, WithoutADeviceOnlyFrameAndProgramCommandsAreEnabled) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    QMenuBar* withDevice = program.Frame().GetActiveMenu();
    program.Frame().CloseDevice(0);
    program.Frame().TimerTick();  // the bar changes on the tick after the count changed
    EXPECT_NE(program.Frame().GetActiveMenu(), withDevice);
    EXPECT_TRUE(program.MenuItem(kCmdFileNew)->isEnabled());
    EXPECT_TRUE(program.MenuItem(kCmdAppAbout)->isEnabled());
    EXPECT_TRUE(program.MenuItem(kCmdAppExit)->isEnabled());
    for (const int item : {kCmdRamp, kCmdSweep, kCmdPatternGenerator, kCmdPowerOnOutputOpen,
                           kCmdWaveNumber, kCmdHelpContent, kCmdFileClose}) {
        EXPECT_FALSE(program.MenuItem(item)->isEnabled()) << item;
    }
}

TEST(MenuBars, TheBarIsTranslatedOnTheFirstTickAfterTheDeviceCountChanges) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    QMenuBar* bar = program.Frame().GetActiveMenu();
    bar->actions()[0]->setText(QStringLiteral("stale"));
    program.Frame().TimerTick();  // count unchanged: nothing happens
    EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral("stale"));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    program.Frame().GetActiveMenu()->actions()[0]->setText(QStringLiteral("stale"));
    program.Frame().TimerTick();
    EXPECT_EQ(program.Frame().GetActiveMenu()->actions()[0]->text(), QStringLiteral("&File"));
}

}  // namespace
}  // namespace korvane
