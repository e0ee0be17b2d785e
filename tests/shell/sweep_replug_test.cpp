// A generator unplugged and plugged in again while the Sweep dialog sweeps it: once the sweep
// is switched off the device holds the channel's whole configuration again.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "shell_fixture.h"
#include "support/device_checks.h"
#include "view/sweep_dialog.h"

namespace korvane {
namespace {

using testing::CountCalls;
using testing::HoldsConfiguration;

// The fault: while sweeping, the channel's polling stopped, so the replug went unnoticed, and
// switching the sweep off sent the frequency alone; the device was left without its trigger,
// edge, single-wave and DIO settings.
TEST(SweepReplug, TheWindowsGeneratorGetsItsWholeConfigurationBack) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    SimulatedDeviceLibrary& simulator = program.Simulator();
    ChannelState& channel = *program.Device(0).m_pState;
    channel.SetExtTrigger(1);
    channel.SetTriggerEdge(1);
    channel.SetSingleWave(1);
    channel.SetDioMode(1);
    channel.SetFrequency(5000.0);
    ASSERT_TRUE(WaitFor([&] { return bool(HoldsConfiguration(simulator, channel)); }));

    {
        SweepDialog dialog(channel, &program.Frame());
        dialog.show();
        dialog.SpeedField().selectAll();
        QTest::keyClicks(&dialog.SpeedField(), QStringLiteral("1"));
        QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
        ASSERT_EQ(channel.sweepOn, 1);
        ASSERT_TRUE(WaitFor([&] { return CountCalls(simulator, "DDSSetDivNum") >= 3; }));

        simulator.Unplug(0);
        ASSERT_TRUE(WaitFor([&] { return channel.reconnectPending == 1; }));
        simulator.Replug(0);  // a fresh device: trigger, edge, single wave and DIO mode at defaults
        ASSERT_TRUE(WaitFor([&] { return channel.reconnectPending == 0; }));

        QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
        ASSERT_EQ(channel.sweepOn, 0);
        dialog.close();
    }
    EXPECT_TRUE(WaitFor([&] { return bool(HoldsConfiguration(simulator, channel)); }))
        << HoldsConfiguration(simulator, channel).message();
    program.Quit();
}

}  // namespace
}  // namespace korvane
