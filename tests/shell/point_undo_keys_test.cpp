// Undo and redo of a drawn stroke with the keyboard of the main window, the Point Tools submenu of
// the Edit menu, and the new menu items in each shipped language; each state reaches the
// simulated generator through the channel's worker.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/noise.h"
#include "engine/point_table.h"
#include "engine/synthesis.h"
#include "shell_fixture.h"
#include "view/controls/on_off.h"
#include "view/multi_tessel_view.h"

namespace korvane {
namespace {

class PointUndoKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program.Start());
        program.Frame().activateWindow();
        QApplication::setActiveWindow(&program.Frame());
        view = dynamic_cast<CMultiTesselView*>(program.Device(0).View());
        ASSERT_NE(view, nullptr);
        beforeArb = ReadPointTable(channel());
        QTest::mouseClick(view->Form().waveKeys[Arbitrary], Qt::LeftButton);
        ASSERT_EQ(channel().waveType, Arbitrary);
        ASSERT_TRUE(DeviceHolds(ReadPointTable(channel())));
    }
    ChannelState& channel() { return *program.Device(0).m_pState; }
    // Whether the generator's buffer is what the channel makes of `table`.
    bool DeviceHolds(const PointTable& table) {
        const std::vector<std::uint16_t> codes = program.Simulator().Device(0).codes;
        if (codes.empty()) {
            return false;
        }
        WaveParams params = channel().Snapshot();
        std::copy(table.begin(), table.end(), params.arbPoints.begin());
        params.arbPointCount = static_cast<int>(table.size());
        std::vector<std::uint16_t> expected(codes.size());
        FillDacCodes(params, expected, ThreadNoise());
        return codes == expected;
    }
    void DrawStroke() {
        const PlotArea plot = view->Plot();
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, {plot.left + 30, plot.top + 10});
        QTest::mouseMove(view, {plot.left + 30, plot.top + 10});
        QTest::mouseMove(view, {plot.left + 200, plot.bottom - 10});
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier,
                            {plot.left + 200, plot.bottom - 10});
    }

    // Presses a key as the user does, once the frame's timer has brought the items' states up
    // to date.
    void PressKey(Qt::Key key) {
        program.Frame().TimerTick();
        QWidget& panelKey = *view->Form().waveKeys[Sine];
        panelKey.setFocus();
        QTest::keyClick(&panelKey, key, Qt::ControlModifier);
    }

    ProgramUnderTest program{1};
    CMultiTesselView* view = nullptr;
    PointTable beforeArb;  // the table before the Arb key turned the sine into points
};

TEST_F(PointUndoKeysTest, CtrlZUndoesAStrokeAndCtrlYRedoesIt) {
    const PointTable before = ReadPointTable(channel());
    DrawStroke();
    const PointTable drawn = ReadPointTable(channel());
    ASSERT_NE(drawn, before);
    ASSERT_TRUE(WaitFor([&] { return DeviceHolds(drawn); }));

    PressKey(Qt::Key_Z);
    EXPECT_EQ(ReadPointTable(channel()), before);
    EXPECT_TRUE(WaitFor([&] { return DeviceHolds(before); }));

    PressKey(Qt::Key_Y);
    EXPECT_EQ(ReadPointTable(channel()), drawn);
    EXPECT_TRUE(WaitFor([&] { return DeviceHolds(drawn); }));
}

TEST_F(PointUndoKeysTest, TheEditMenuOffersUndoAndTheTools) {
    const PointTable before = ReadPointTable(channel());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdReversePoints));
    const PointTable reversed(before.rbegin(), before.rend());
    EXPECT_EQ(ReadPointTable(channel()), reversed);
    EXPECT_TRUE(WaitFor([&] { return DeviceHolds(reversed); }));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdEditUndo));
    EXPECT_EQ(ReadPointTable(channel()), before);
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdEditRedo));
    EXPECT_EQ(ReadPointTable(channel()), reversed);
    EXPECT_FALSE(program.ChooseMenuCommand(kCmdEditRedo));
    // Back past the tool to the table the sine left before the Arb key turned it into points.
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdEditUndo));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdEditUndo));
    EXPECT_EQ(ReadPointTable(channel()), beforeArb);
    EXPECT_TRUE(WaitFor([&] { return DeviceHolds(beforeArb); }));
    EXPECT_FALSE(program.ChooseMenuCommand(kCmdEditUndo));
}

// The texts of the Edit menu's new items, as the language files name them by position.
struct EditMenuTexts {
    const char* file;
    const char* undo;
    const char* redo;
    const char* tools;
    const char* smooth;
    const char* shift;
};

class EditMenuLanguageTest : public ::testing::TestWithParam<EditMenuTexts> {};

TEST_P(EditMenuLanguageTest, NamesTheNewItems) {
    const EditMenuTexts& texts = GetParam();
    ProgramUnderTest program(1);
    const QByteArray content = ShippedLanguageFile(texts.file);
    ASSERT_FALSE(content.isEmpty()) << texts.file;
    program.WriteFile(QStringLiteral("language/") + QString::fromUtf8(texts.file), content);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    CMainFrame& frame = program.Frame();
    EXPECT_EQ(frame.CommandAction(kCmdEditUndo)->text(), QString::fromUtf8(texts.undo));
    EXPECT_EQ(frame.CommandAction(kCmdEditRedo)->text(), QString::fromUtf8(texts.redo));
    EXPECT_EQ(frame.CommandAction(kCmdSmoothPoints)->text(), QString::fromUtf8(texts.smooth));
    EXPECT_EQ(frame.CommandAction(kCmdShiftPoints)->text(), QString::fromUtf8(texts.shift));
    QMenu* edit = frame.GetActiveMenu()->actions().value(1)->menu();
    ASSERT_NE(edit, nullptr);
    QStringList submenus;
    for (QAction* item : edit->actions()) {
        if (item->menu() != nullptr) {
            submenus << item->text();
        }
    }
    EXPECT_EQ(submenus, QStringList{QString::fromUtf8(texts.tools)});
}

INSTANTIATE_TEST_SUITE_P(Languages, EditMenuLanguageTest,
                         ::testing::Values(EditMenuTexts{"Deutsch.lug", "Rückgängig",
                                                         "Wiederherstellen", "Punkt-Werkzeuge",
                                                         "Glätten...", "Verschieben..."},
                                           EditMenuTexts{"简体中文.lug", "撤销", "重做", "点工具",
                                                         "平滑...", "平移..."}),
                         [](const ::testing::TestParamInfo<EditMenuTexts>& info) {
                             return info.index == 0 ? std::string("German")
                                                    : std::string("Chinese");
                         });

}  // namespace
}  // namespace korvane
