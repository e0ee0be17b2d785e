// A device window whose generator blocks in every call it is given: opening, sweeping and
// closing go on without waiting for it; a driver slow to count its devices keeps neither the main
// window nor the end of the program waiting.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <thread>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/detached_threads.h"
#include "shell_fixture.h"
#include "support/blocking_library.h"
#include "support/borrowed_library.h"
#include "view/sweep_dialog.h"

namespace korvane {
namespace {

// The faults: the first configuration ran on the GUI thread when the window opened, the Sweep
// dialog's timer made the steps there, and closing the window set the power-on output and joined
// the worker there, so a slow device froze the program.
TEST(BlockedDevice, OpeningSweepingAndClosingDoNotWaitForTheDevice) {
    testing::BlockingLibrary library(1);  // outlives the program, which is given a borrowed one
    library.Hold("DDSSetFrequency");      // the first call of the first configuration
    ProgramUnderTest program(testing::Borrow(library), library.simulator);
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

const QString kSearching = QStringLiteral("Searching for hardware");

// The fault: the devices were counted on the GUI thread before the main window was built, so a
// driver slow to answer DDSSearch kept the program from showing at all.
TEST(BlockedDevice, TheMainWindowShowsAndAnswersWhileTheDevicesAreCounted) {
    testing::BlockingLibrary library(1);  // outlives the program, which is given a borrowed one
    library.Hold("DDSSearch");
    ProgramUnderTest program(testing::Borrow(library), library.simulator);
    ASSERT_TRUE(program.App().InitInstance());
    ASSERT_TRUE(WaitFor([&] { return library.Holding(); }));
    CMainFrame& frame = program.Frame();
    // The frame's own timer shows the frame and keeps the status bar going.
    ASSERT_TRUE(WaitFor([&] { return frame.isVisible(); }));
    ASSERT_TRUE(WaitFor([&] { return frame.PaneText(0).startsWith(kSearching); }));
    const QString before = frame.PaneText(0);
    ASSERT_TRUE(WaitFor([&] { return frame.PaneText(0) != before; })) << "the timer stopped";
    EXPECT_TRUE(frame.PaneText(0).startsWith(kSearching));
    EXPECT_FALSE(frame.DevicesFoundAtStart().has_value());
    EXPECT_EQ(frame.GetDeviceCount(), 0);

    // A new window asked for now opens after the first one, once the count is known.
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(frame.GetDeviceCount(), 0);
    EXPECT_TRUE(library.Holding());

    library.Release();
    ASSERT_TRUE(WaitFor([&] { return frame.GetDeviceCount() == 2; }));
    EXPECT_EQ(frame.DevicesFoundAtStart(), 1);
    EXPECT_EQ(program.TabTexts(), (QStringList{"Device 1", "Demo 1"}));
    EXPECT_EQ(program.Device(0).m_pState->deviceIndex, 0);
    // The status bar names the selected window's state again: the new demo window's.
    ASSERT_TRUE(WaitFor([&] { return !frame.PaneText(0).startsWith(kSearching); }));
    EXPECT_EQ(frame.PaneText(0), QStringLiteral("Demo"));
    // The device sees the count first, then the first window's configuration.
    ASSERT_TRUE(WaitFor([&] { return library.simulator.CallLog().size() >= 2; }));
    const auto log = library.simulator.CallLog();
    EXPECT_EQ(log[0].name, "DDSSearch");
    EXPECT_EQ(log[1].name, "DDSSetFrequency");
    EXPECT_EQ(log[1].device, 0);

    program.Quit();
    EXPECT_FALSE(library.GaveUp());
    EXPECT_FALSE(library.CalledOn(std::this_thread::get_id()))
        << "a device call ran on the GUI thread";
}

// The fault this guards against: closing the program during the count waited for the driver on
// the GUI thread, or opened a device window for the count that arrived afterwards.
TEST(BlockedDevice, ClosingWhileTheDevicesAreCountedDoesNotWaitOrOpenAWindow) {
    testing::BlockingLibrary library(1);  // outlives the program, which is given a borrowed one
    library.Hold("DDSSearch");
    ProgramUnderTest program(testing::Borrow(library), library.simulator);
    ASSERT_TRUE(program.App().InitInstance());
    ASSERT_TRUE(WaitFor([&] { return library.Holding(); }));
    ASSERT_TRUE(WaitFor([&] { return program.Frame().isVisible(); }));

    EXPECT_TRUE(program.Frame().close());
    EXPECT_FALSE(program.Frame().isVisible());
    EXPECT_TRUE(library.Holding()) << "closing the program waited for the driver";

    library.Release();
    JoinDetachedThreads();  // the search has ended: a count it posted is waiting to be handled
    QCoreApplication::processEvents();
    EXPECT_EQ(program.Frame().GetDeviceCount(), 0);
    program.Quit();  // the search's thread ends before the library goes
    EXPECT_FALSE(library.GaveUp());
    const auto log = library.simulator.CallLog();
    ASSERT_EQ(log.size(), 1U);
    EXPECT_EQ(log[0].name, "DDSSearch");
}

}  // namespace
}  // namespace korvane
