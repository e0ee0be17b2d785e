// A device window whose generator blocks in every call it is given: opening, sweeping and
// closing go on without waiting for it.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>
#include <thread>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "shell_fixture.h"
#include "support/blocking_library.h"
#include "view/sweep_dialog.h"

namespace korvane {
namespace {

// The faults: the first configuration ran on the GUI thread when the window opened, the Sweep
// dialog's timer made the steps there, and closing the window set the power-on output and joined
// the worker there, so a slow device froze the program.
TEST(BlockedDevice, OpeningSweepingAndClosingDoNotWaitForTheDevice) {
    auto owned = std::make_unique<testing::BlockingLibrary>(1);
    testing::BlockingLibrary& library = *owned;
    library.Hold("DDSSetFrequency");  // the first call of the first configuration
    ProgramUnderTest program(std::move(owned), library.simulator);
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(program.Frame().isVisible());
    EXPECT_TRUE(library.Holding()) << "the window waited for the device before it showed";

    ChannelState& channel = *program.Device(0).m_pState;
    library.Hold("DDSSetDivNum");  // lets the configuration go on, holds the first sweep step
    ASSERT_TRUE(WaitFor([&] { return !library.simulator.Device(0).codes.empty(); }));
    {
        SweepDialog dialog(channel, &program.Frame());
        dialog.show();
        QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
        EXPECT_EQ(channel.sweepOn, 1);
        ASSERT_TRUE(WaitFor([&] { return library.Holding(); }));
        // The dialog keeps answering while the step is held.
        QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
        EXPECT_EQ(channel.sweepOn, 0);
        EXPECT_EQ(dialog.OnButton().text(), QStringLiteral("ON"));
        dialog.close();
    }
    EXPECT_TRUE(library.Holding()) << "the Sweep dialog waited for the device";

    program.Device(0).CloseWindow();
    ASSERT_TRUE(WaitFor([&] { return program.Frame().GetDevice(0) == nullptr; }));
    EXPECT_TRUE(library.Holding()) << "closing the window waited for the device";

    library.Release();
    program.Quit();  // the closed window's session ends before the library goes
    EXPECT_FALSE(library.GaveUp());
    EXPECT_FALSE(library.CalledOn(std::this_thread::get_id()))
        << "a device call ran on the GUI thread";
    const auto log = library.simulator.CallLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().name, "DDSSetPowerOnOutput");  // the session's last call
}

}  // namespace
}  // namespace korvane
