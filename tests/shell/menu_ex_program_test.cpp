// The program's menus as the running program draws them: the Window menu's list of device
// windows, the tab bar's context menu, and the shipped languages retitling menus and panel.
#include <gtest/gtest.h>

#include "support/param_name.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "shell/menu_ex.h"
#include "shell_fixture.h"
#include "view/dialogs/digital_io_dialogs.h"

namespace korvane {
namespace {

constexpr int kWindowMenuPosition = 6;

QImage Picture(QMenu& menu) {
    return menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(MenuExProgramTest, TheWindowMenuDrawsTheListOfDeviceWindowsTheSameWay) {
    ProgramUnderTest program(3);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    ASSERT_EQ(program.Frame().MdiArea().subWindowList().size(), 3);

    QMenu* windows = program.Frame().GetActiveMenu()->actions()[kWindowMenuPosition]->menu();
    ASSERT_NE(windows, nullptr);
    EXPECT_NE(qobject_cast<CMenuEx*>(windows->style()), nullptr);
    windows->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(windows));

    const QList<QAction*> items = windows->actions();
    ASSERT_EQ(items.size(), 2 + 1 + 3) << "Cascade, Tile, a separator and three windows";
    const QImage picture = Picture(*windows);
    const QRect separator = windows->actionGeometry(items[2]);
    EXPECT_EQ(separator.height(), CMenuEx::kSeparatorHeight);
    EXPECT_EQ(
        picture.pixelColor(separator.left() + 40, separator.top() + separator.height() / 2 - 1),
        CMenuEx::kSeparatorColour);
    int checkedEntries = 0;
    for (int i = 3; i < 6; ++i) {
        const QRect entry = windows->actionGeometry(items[i]);
        EXPECT_EQ(entry.height(), 22);
        EXPECT_EQ(picture.pixelColor(entry.left() + 21, entry.center().y()),
                  CMenuEx::kImageColumnColour);
        const bool boxed =
            picture.pixelColor(entry.left() + 1, entry.top() + 1) == CMenuEx::kHighlightFrameColour;
        EXPECT_EQ(boxed, items[i]->isChecked()) << items[i]->text().toStdString();
        checkedEntries += boxed ? 1 : 0;
    }
    EXPECT_EQ(checkedEntries, 1) << "the active window is checked";
    windows->hide();
}

TEST(MenuExProgramTest, TheFileMenuShowsTheToolbarPicturesAndTheTabMenuIsOwnerDrawn) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    QMenu* file = program.Frame().GetActiveMenu()->actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    file->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    const QImage picture = Picture(*file);
    const QRect newItem = file->actionGeometry(program.Frame().CommandAction(kCmdFileNew));
    const QRect saveAs = file->actionGeometry(program.Frame().CommandAction(kCmdFileSaveAs));
    const auto inked = [&picture](const QRect& item) {
        int n = 0;
        for (int y = item.top() + 1; y <= item.top() + 20; ++y) {
            for (int x = item.left() + 1; x <= item.left() + 20; ++x) {
                n += picture.pixelColor(x, y) != CMenuEx::kImageColumnColour ? 1 : 0;
            }
        }
        return n;
    };
    EXPECT_GT(inked(newItem), 20) << "New has its picture";
    EXPECT_EQ(inked(saveAs), 0) << "Save CSV As has none";
    file->hide();

    EXPECT_NE(qobject_cast<CMenuEx*>(program.Frame().TabContextMenu().style()), nullptr);
}

struct ShippedLanguage {
    const char* file;
    const char* fileMenu;
    const char* newItem;
    const char* copyTooltip;
    const char* frequencyLabel;
    const char* outputSetTitle;
};

// The title of the program's open dialog of that class.
template <typename Dialog>
QString OpenDialogTitle(const QWidget& root) {
    const QList<Dialog*> dialogs = root.findChildren<Dialog*>();
    return dialogs.size() == 1 ? dialogs.front()->windowTitle() : QString();
}

class ShippedLanguageTest : public ::testing::TestWithParam<ShippedLanguage> {};

TEST_P(ShippedLanguageTest, ChoosingItRetitlesMenusTooltipsAndThePanel) {
    const ShippedLanguage& language = GetParam();
    const QByteArray content = ShippedLanguageFile(language.file);
    ASSERT_FALSE(content.isEmpty()) << language.file;
    ProgramUnderTest program(1);
    program.WriteFile(QStringLiteral("language/") + QString::fromUtf8(language.file), content);
    ASSERT_TRUE(program.Start());
    CMainFrame& frame = program.Frame();
    ASSERT_EQ(frame.LanguageMenu()->actions().size(), 3);
    // A modeless dialog left open is retitled too.
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdProgrammableOutput));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdOutputSet));
    ASSERT_EQ(OpenDialogTitle<OutputSetDialog>(frame), QStringLiteral("Output Set"));

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    EXPECT_EQ(frame.GetActiveMenu()->actions()[0]->text(), QString::fromUtf8(language.fileMenu));
    EXPECT_EQ(frame.CommandAction(kCmdFileNew)->text(), QString::fromUtf8(language.newItem));
    EXPECT_EQ(frame.CommandAction(kCmdEditCopy)->toolTip(),
              QString::fromUtf8(language.copyTooltip));
    // The panel's label of the frequency field (control 1111).
    QStringList labels;
    for (const QWidget* widget : frame.findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            labels << label->text();
        }
    }
    EXPECT_TRUE(labels.contains(QString::fromUtf8(language.frequencyLabel)))
        << labels.join(QLatin1Char('|')).toStdString();

    EXPECT_EQ(OpenDialogTitle<OutputSetDialog>(frame), QString::fromUtf8(language.outputSetTitle));

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdLanguageDefault));
    EXPECT_EQ(frame.CommandAction(kCmdFileNew)->text(), QStringLiteral("&New"));
    EXPECT_EQ(OpenDialogTitle<OutputSetDialog>(frame), QStringLiteral("Output Set"));
}

// The access keys of the menu bar's top menus, as Qt reads them from the texts.
QList<QKeySequence> TopMenuAccessKeys(CMainFrame& frame) {
    QList<QKeySequence> keys;
    for (const QAction* action : frame.GetActiveMenu()->actions()) {
        keys << QKeySequence::mnemonic(action->text());
    }
    return keys;
}

// Alt plus a letter must open one menu only, in English and in the chosen language.
TEST_P(ShippedLanguageTest, TopMenusHaveDistinctAccessKeys) {
    const ShippedLanguage& language = GetParam();
    ProgramUnderTest program(1);
    program.WriteFile(QStringLiteral("language/") + QString::fromUtf8(language.file),
                      ShippedLanguageFile(language.file));
    ASSERT_TRUE(program.Start());
    CMainFrame& frame = program.Frame();
    for (const int command : {kCmdLanguageDefault, kCmdFirstLanguage}) {
        ASSERT_TRUE(program.ChooseMenuCommand(command));
        const QList<QKeySequence> keys = TopMenuAccessKeys(frame);
        SCOPED_TRACE(command);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            EXPECT_FALSE(keys[i].isEmpty()) << i;
            EXPECT_EQ(keys.count(keys[i]), 1) << keys[i].toString().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguageTest,
                         ::testing::Values(ShippedLanguage{"Deutsch.lug", "&Datei", "&Neu",
                                                           "In die Zwischenablage kopieren",
                                                           "Frequenz", "Ausgänge setzen"},
                                           ShippedLanguage{"简体中文.lug", "文件(&F)", "新建(&N)",
                                                           "复制到剪贴板", "频率", "输出设置"}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName(p.file);
                         });

}  // namespace
}  // namespace korvane
