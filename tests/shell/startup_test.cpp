#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <memory>
#include <string>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_claim.h"
#include "engine/device_library/library_factory.h"
#include "shell/child_frame.h"
#include "shell/device_list_dialog.h"
#include "shell/device_tab_bar.h"
#include "shell_fixture.h"
#include "support/blocking_library.h"
#include "support/borrowed_library.h"

namespace korvane {
namespace {

const QString kNoHardware =
    QStringLiteral("Haven't found hardware and the program will work in demo mode!!!");

TEST(Startup, OneGeneratorGivesAConnectedDeviceOne) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Frame().DevicesFoundAtStart(), 1);
    ASSERT_EQ(program.Frame().GetDeviceCount(), 1);
    CMultiTesselDoc& first = program.Device(0);
    EXPECT_EQ(first.m_strDeviceName, QStringLiteral("Device 1"));
    EXPECT_EQ(first.m_pState->demo, 0);
    EXPECT_EQ(first.m_pState->deviceIndex, 0);
    EXPECT_TRUE(program.responder.messages.isEmpty());
    EXPECT_TRUE(program.Frame().isVisible());
}

// A kill while config.ini, Default.set or the points beside it were written left its temporary
// file beside them.
TEST(Startup, RemovesTheTemporaryFilesOfAKilledWrite) {
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const QString pid = QString::number(ended.processId());
    ASSERT_TRUE(ended.waitForFinished());

    ProgramUnderTest program(1);
    const QStringList stale = {QStringLiteral(".config.ini.tmp.%1.0").arg(pid),
                               QStringLiteral(".Default.set.tmp.%1.4").arg(pid),
                               QStringLiteral(".Default.csv.tmp.%1.2").arg(pid)};
    const QStringList kept = {
        QStringLiteral(".config.ini.tmp.%1.0").arg(QCoreApplication::applicationPid()),
        QStringLiteral(".other.ini.tmp.%1.0").arg(pid)};
    for (const QString& name : stale + kept) {
        program.WriteFile(name, "half a file");
    }
    ASSERT_TRUE(program.Start());
    const QDir folder(program.ProgramDir());
    for (const QString& name : stale) {
        EXPECT_FALSE(folder.exists(name)) << name.toStdString();
    }
    for (const QString& name : kept) {
        EXPECT_TRUE(folder.exists(name)) << name.toStdString();
    }
}

TEST(Startup, FileNewWithEveryDeviceTakenGivesDemoOneAfterTheMessage) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    ASSERT_EQ(program.Frame().GetDeviceCount(), 2);
    EXPECT_EQ(program.Device(1).m_strDeviceName, QStringLiteral("Demo 1"));
    EXPECT_EQ(program.Device(1).m_pState->demo, 1);
    EXPECT_EQ(program.Device(1).m_pState->deviceIndex, -1);
    ASSERT_EQ(program.responder.messages.size(), 1);
    EXPECT_EQ(program.responder.messages[0], kNoHardware);
    EXPECT_EQ(program.responder.messageCaptions[0], QStringLiteral("Arbitrary Function Generator"));
    EXPECT_EQ(program.TabTexts(), (QStringList{"Device 1", "Demo 1"}));
}

TEST(Startup, CtrlNOpensANewDeviceWindow) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    QTest::keyClick(&program.Frame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "Demo 2"}));
}

TEST(Startup, TwoGeneratorsOfferTheDeviceListAndTakeTheChosenRow) {
    ProgramUnderTest program(2);
    program.responder.onDeviceList = [](DeviceListDialog& dialog) {
        dialog.List().selectRow(1);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    };
    ASSERT_TRUE(program.Start());
    ASSERT_EQ(program.responder.deviceLists.size(), 1);
    EXPECT_EQ(program.responder.deviceLists[0], (QStringList{"1", "2"}));
    EXPECT_EQ(program.Device(0).m_pState->deviceIndex, 1);
    EXPECT_EQ(program.Device(0).m_pState->demo, 0);
    EXPECT_EQ(program.Device(0).m_strDeviceName, QStringLiteral("Device 1"));

    // The second window takes the one device left, without asking.
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    EXPECT_EQ(program.responder.deviceLists.size(), 1);
    EXPECT_EQ(program.Device(1).m_pState->deviceIndex, 0);
    EXPECT_EQ(program.Device(1).m_strDeviceName, QStringLiteral("Device 2"));

    // The third finds none and becomes a demo channel after the message.
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    EXPECT_EQ(program.Device(2).m_strDeviceName, QStringLiteral("Demo 1"));
    EXPECT_EQ(program.responder.messages, QStringList{kNoHardware});
}

TEST(Startup, CancelledDeviceListGivesADemoWithoutMessage) {
    ProgramUnderTest program(2);
    program.responder.onDeviceList = [](DeviceListDialog& dialog) { dialog.reject(); };
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Device(0).m_pState->demo, 1);
    EXPECT_EQ(program.Device(0).m_strDeviceName, QStringLiteral("Demo 1"));
    EXPECT_TRUE(program.responder.messages.isEmpty());
}

TEST(Startup, DoubleClickOnTheDeviceListChoosesThatRow) {
    ProgramUnderTest program(3);
    program.responder.onDeviceList = [](DeviceListDialog& dialog) {
        QTableWidget& list = dialog.List();
        const QRect cell = list.visualItemRect(list.item(2, 0));
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    };
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Device(0).m_pState->deviceIndex, 2);
}

TEST(Startup, NoGeneratorsMakeEveryWindowADemo) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "Demo 2", "Demo 3"}));
    EXPECT_EQ(program.responder.messages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(program.Device(i).m_pState->demo, 1);
    }
}

TEST(Startup, SimulatedDeviceCountComesFromTheEnvironment) {
    for (const auto& [value, expected] : {std::pair{"2", 2}, std::pair{"0", 0}}) {
        qputenv("KVDDS_SIMULATED_DEVICES", value);
        EXPECT_EQ(CreateDeviceLibraryFromEnvironment()->DDSSearch(), expected);
    }
    qunsetenv("KVDDS_SIMULATED_DEVICES");
    EXPECT_EQ(CreateDeviceLibraryFromEnvironment()->DDSSearch(), 1);
}

TEST(Startup, GeneratorsAreCountedOnceWhateverWindowsOpen) {
    ProgramUnderTest program(2);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    int searches = 0;
    for (const auto& call : program.Simulator().CallLog()) {
        searches += call.name == "DDSSearch" ? 1 : 0;
    }
    EXPECT_EQ(searches, 1);
}

// The fault: a driver answering 1000 devices was taken at its word (the headless server started
// a worker for each).
TEST(Startup, ADriverReportingTooManyDevicesIsTakenAt64WithOneWarning) {
    testing::BlockingLibrary library(1);  // outlives the program, which is given a borrowed one
    library.ReportDevices(1000);
    ::testing::internal::CaptureStderr();
    ProgramUnderTest program(testing::Borrow(library), library.simulator);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(program.Frame().DevicesFoundAtStart(), 64);
    ASSERT_EQ(program.responder.deviceLists.size(), 2U);
    EXPECT_EQ(program.responder.deviceLists[0].size(), kMaxFreeDevices);
    EXPECT_EQ(program.responder.deviceLists[0].front(), QStringLiteral("1"));
    // Qt's offscreen platform writes notes of its own there.
    const std::string warning = "the driver reports 1000 devices; using the first 64\n";
    const std::size_t at = warnings.find(warning);
    EXPECT_NE(at, std::string::npos) << warnings;
    EXPECT_EQ(warnings.find("the driver reports", at + 1), std::string::npos) << warnings;
}

TEST(MainFrame, CaptionSizeAndMinimum) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    EXPECT_EQ(program.Frame().windowTitle(), QStringLiteral("KorvaneAWG"));
    program.Frame().ActivateTab(0);
    EXPECT_EQ(program.Frame().windowTitle(), QStringLiteral("KorvaneAWG"));
    EXPECT_EQ(program.Frame().minimumSize(), QSize(300, 200));
    EXPECT_EQ(program.Frame().size(), QSize(870, 600));
}

TEST(ChildFrame, DeviceWindowsAreMaximisedAndShowTheirTitleBarOnlyWhenRestored) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    QMdiSubWindow* window = program.Frame().MdiArea().subWindowList().value(0);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);

    window->showNormal();
    EXPECT_FALSE(window->isMaximized());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(window->windowFlags() & Qt::FramelessWindowHint);

    window->showMaximized();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowSystemMenuHint);
}

TEST(MainFrame, TabToolbarShowsOnlyWithDevices) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(program.Frame().TabToolBar().isVisible());
    program.Frame().CloseDevice(0);
    EXPECT_EQ(program.Frame().GetDeviceCount(), 0);
    EXPECT_FALSE(program.Frame().TabToolBar().isVisible());
}

TEST(MainFrame, ToolbarTooltipsComeFromTheLanguageTable) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Frame().CommandAction(kCmdFileNew)->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(program.Frame().CommandAction(kCmdEditCopy)->toolTip(),
              QStringLiteral("Copy to Clipboard"));
    EXPECT_FALSE(program.Frame().CommandAction(kCmdUnassignedButton)->isEnabled());
}

}  // namespace
}  // namespace korvane
