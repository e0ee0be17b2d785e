#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "shell/child_frame.h"
#include "shell/device_tab_bar.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

// Opens `count` demo windows in a program without generators.
void OpenDemos(ProgramUnderTest& program, int count) {
    ASSERT_TRUE(program.Start());
    for (int i = 1; i < count; ++i) {
        ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    }
    // The demo-mode message took the activation; the keyboard focus needs it back.
    program.Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program.Frame()));
}

// Renames tab `index` the way a user does: double click, type, Enter.
void RenameByTyping(ProgramUnderTest& program, int index, const QString& text) {
    DeviceTabBar& tabs = program.Frame().TabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(index).center());
    QTest::mouseDClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(index).center());
    TabRenameEdit& edit = tabs.RenameEdit();
    ASSERT_TRUE(edit.isVisible());
    edit.selectAll();
    QTest::keyClicks(&edit, text);
    QTest::keyClick(&edit, Qt::Key_Return);
}

TEST(DeviceTabs, ClosingTheMiddleOfThreeRenumbersAndKeepsASelection) {
    ProgramUnderTest program(0);
    OpenDemos(program, 3);
    CMainFrame& frame = program.Frame();
    CMultiTesselDoc* first = frame.GetDevice(0);
    CMultiTesselDoc* last = frame.GetDevice(2);

    DeviceTabBar& tabs = frame.TabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
    EXPECT_EQ(frame.CurrentTab(), 1);
    ASSERT_TRUE(program.ClickToolButton(frame.TabToolBar(), kCmdCloseSelectedDevice));

    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "Demo 3"}));
    EXPECT_EQ(first->m_nIndex, 0);
    EXPECT_EQ(last->m_nIndex, 1);
    EXPECT_EQ(frame.MdiArea().subWindowList().size(), 2);
    // The tab selection follows the window that is active now.
    auto* active = qobject_cast<CChildFrame*>(frame.MdiArea().currentSubWindow());
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(frame.CurrentTab(), active->Document().m_nIndex);
    EXPECT_EQ(tabs.currentIndex(), frame.CurrentTab());

    // The freed number comes back for the next demo channel.
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "Demo 3", "Demo 2"}));
}

TEST(DeviceTabs, SelectionBeyondTheEndMovesToTheLastTab) {
    ProgramUnderTest program(0);
    OpenDemos(program, 3);
    CMainFrame& frame = program.Frame();
    frame.SelectTab(2);
    frame.RemoveDevice(2);  // the list shrinks while the selection points past its end
    EXPECT_EQ(frame.CurrentTab(), 1);
    EXPECT_EQ(frame.TabBar().currentIndex(), 1);
    frame.SelectTab(7);
    EXPECT_EQ(frame.CurrentTab(), 1);
    frame.SelectTab(-3);
    EXPECT_EQ(frame.CurrentTab(), 1);
}

TEST(DeviceTabs, ChoosingATabActivatesItsWindow) {
    ProgramUnderTest program(0);
    OpenDemos(program, 3);
    CMainFrame& frame = program.Frame();
    DeviceTabBar& tabs = frame.TabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(0).center());
    auto* active = qobject_cast<CChildFrame*>(frame.MdiArea().currentSubWindow());
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(&active->Document(), frame.GetDevice(0));
}

TEST(DeviceTabs, RightClickSelectsTheTabBeforeTheMenu) {
    ProgramUnderTest program(0);
    OpenDemos(program, 2);
    CMainFrame& frame = program.Frame();
    DeviceTabBar& tabs = frame.TabBar();
    ASSERT_EQ(frame.CurrentTab(), 1);
    // The context menu opens modally; close it as soon as it shows.
    QTimer::singleShot(0, &frame, [&frame] { frame.TabContextMenu().close(); });
    QTest::mousePress(&tabs, Qt::RightButton, {}, tabs.tabRect(0).center());
    QTest::mouseRelease(&tabs, Qt::RightButton, {}, tabs.tabRect(0).center());
    EXPECT_EQ(frame.CurrentTab(), 0);
    auto* active = qobject_cast<CChildFrame*>(frame.MdiArea().currentSubWindow());
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(&active->Document(), frame.GetDevice(0));
}

TEST(DeviceTabs, RenameCutsToTwentyCharactersAndFixesTheName) {
    ProgramUnderTest program(0);
    OpenDemos(program, 2);
    RenameByTyping(program, 0, QStringLiteral("Signal generator on bench 3"));
    const QString cut = QStringLiteral("Signal generator on ");
    ASSERT_EQ(cut.size(), 20);
    EXPECT_EQ(program.Device(0).m_strDeviceName, cut);
    EXPECT_EQ(program.Device(0).m_bNameFixed, 1);
    EXPECT_EQ(program.TabTexts()[0], cut);
    EXPECT_FALSE(program.Frame().TabBar().RenameEdit().isVisible());
    // The window title follows the name.
    EXPECT_EQ(program.Frame().MdiArea().subWindowList()[0]->windowTitle(), cut);
}

TEST(DeviceTabs, RenameToAnotherDevicesNameInAnyCaseOrToNothingIsRefused) {
    ProgramUnderTest program(0);
    OpenDemos(program, 2);
    RenameByTyping(program, 1, QStringLiteral("DEMO 1"));
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "Demo 2"}));
    program.Frame().RenameDevice(1, QString());
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "Demo 2"}));
    // A device may change the case of its own name.
    RenameByTyping(program, 1, QStringLiteral("DEMO 2"));
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "DEMO 2"}));
}

TEST(DeviceTabs, RenameThroughTheContextMenuCommand) {
    ProgramUnderTest program(0);
    OpenDemos(program, 1);
    QMenu& menu = program.Frame().TabContextMenu();
    QAction* rename = menu.actions().value(1);
    ASSERT_NE(rename, nullptr);
    rename->trigger();
    TabRenameEdit& edit = program.Frame().TabBar().RenameEdit();
    ASSERT_TRUE(edit.isVisible());
    EXPECT_EQ(edit.selectedText(), QStringLiteral("Demo 1"));
    QTest::keyClicks(&edit, QStringLiteral("Scope feed"));
    edit.clearFocus();  // leaving the editor commits too
    EXPECT_EQ(program.TabTexts(), QStringList{"Scope feed"});
}

// The document whose window the device area shows in front.
const CMultiTesselDoc* ActiveDocument(ProgramUnderTest& program) {
    const auto* active = qobject_cast<CChildFrame*>(program.Frame().MdiArea().currentSubWindow());
    return active != nullptr ? &active->Document() : nullptr;
}

TEST(DeviceTabs, FinishingARenameKeepsTheRenamedTabCurrentAndItsWindowActive) {
    const struct {
        const char* typed;
        QStringList tabsAfter;
    } cases[] = {
        {"Bench", {"Demo 1", "Demo 2", "Bench"}},    // accepted
        {"demo 1", {"Demo 1", "Demo 2", "Demo 3"}},  // refused: another device's name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ProgramUnderTest program(0);
        OpenDemos(program, 3);
        RenameByTyping(program, 2, QString::fromUtf8(c.typed));
        EXPECT_EQ(program.TabTexts(), c.tabsAfter);
        EXPECT_EQ(program.Frame().CurrentTab(), 2);
        EXPECT_EQ(program.Frame().TabBar().currentIndex(), 2);
        EXPECT_EQ(ActiveDocument(program), &program.Device(2));
    }
}

TEST(DeviceTabs, EscapeCancelsARename) {
    ProgramUnderTest program(0);
    OpenDemos(program, 3);
    DeviceTabBar& tabs = program.Frame().TabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
    QTest::mouseDClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
    TabRenameEdit& edit = tabs.RenameEdit();
    ASSERT_TRUE(edit.isVisible());
    QTest::keyClicks(&edit, QStringLiteral("Thrown away"));
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "Demo 2", "Demo 3"}));
    EXPECT_EQ(program.Frame().CurrentTab(), 1);
    EXPECT_EQ(ActiveDocument(program), &program.Device(1));
    // Nothing is committed later when the focus moves on.
    program.Frame().MdiArea().setFocus();
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 1", "Demo 2", "Demo 3"}));
}

TEST(DeviceNaming, AUserNameEqualToDeviceOneInAnyCaseTakesThatNumber) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());                         // Device 1 on generator 0
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));  // Demo 1
    CMainFrame& frame = program.Frame();
    frame.RenameDevice(0, QStringLiteral("Bench"));
    frame.RenameDevice(1, QStringLiteral("device 1"));
    program.Device(1).m_bNameFixed = 1;
    ASSERT_EQ(program.TabTexts(), (QStringList{"Bench", "device 1"}));

    frame.CloseDevice(0);  // frees generator 0
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    EXPECT_EQ(program.TabTexts(), (QStringList{"device 1", "Device 2"}));
    EXPECT_EQ(program.Device(1).m_pState->deviceIndex, 0);
}

TEST(DeviceNaming, AFixedNameSurvivesRenumbering) {
    ProgramUnderTest program(0);
    OpenDemos(program, 3);
    RenameByTyping(program, 2, QStringLiteral("Keep me"));
    program.Frame().CloseDevice(0);
    EXPECT_EQ(program.TabTexts(), (QStringList{"Demo 2", "Keep me"}));
    EXPECT_EQ(program.Device(1).m_nIndex, 1);
}

TEST(DeviceTabs, LastDeviceClosedHidesTheTabs) {
    ProgramUnderTest program(0);
    OpenDemos(program, 2);
    program.Frame().CloseDevice(0);
    program.Frame().CloseDevice(0);
    EXPECT_EQ(program.Frame().GetDeviceCount(), 0);
    EXPECT_FALSE(program.Frame().TabToolBar().isVisible());
    EXPECT_EQ(program.Frame().GetCurrentDevice(), nullptr);
}

TEST(WindowMenu, ListsTheOpenWindowsAndActivatesTheChosenOne) {
    ProgramUnderTest program(0);
    OpenDemos(program, 3);
    QMenu* windows = program.Frame().GetActiveMenu()->actions().value(6)->menu();
    ASSERT_NE(windows, nullptr);
    windows->popup(QPoint(0, 0));
    QStringList entries;
    QAction* first = nullptr;
    for (QAction* action : windows->actions()) {
        if (!action->isSeparator() && action->isCheckable()) {
            entries << action->text();
            first = first != nullptr ? first : action;
        }
    }
    windows->hide();
    EXPECT_EQ(entries, (QStringList{"&1 Demo 1", "&2 Demo 2", "&3 Demo 3"}));
    ASSERT_NE(first, nullptr);
    first->trigger();
    EXPECT_EQ(program.Frame().CurrentTab(), 0);
}

}  // namespace
}  // namespace korvane
