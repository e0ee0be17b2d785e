#include <gtest/gtest.h>

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/control_id.h"
#include "document/qt_translatable.h"
#include "i18n/language_table.h"

namespace korvane {
namespace {

TEST(WidgetTranslation, RetitlesWidgetsOfTheWindowButNotOfNestedWindows) {
    LanguageTable english;  // the built-in texts: 1127 "OK", 1048 "Cancel", 1111 "Frequency"
    QDialog dialog;
    auto* group = new QGroupBox(QStringLiteral("group"), &dialog);
    auto* label = new QLabel(QStringLiteral("label"), group);
    auto* ok = new QPushButton(QStringLiteral("ok"), &dialog);
    auto* nested = new QDialog(&dialog);
    auto* nestedButton = new QPushButton(QStringLiteral("nested"), nested);
    auto* unknown = new QLabel(QStringLiteral("keeps its text"), &dialog);
    SetControlId(*group, 1111);
    SetControlId(*label, 1048);
    SetControlId(*ok, 1127);
    SetControlId(*nestedButton, 1127);
    SetControlId(*unknown, 1999);

    WidgetTranslatable translatable(dialog);
    english.TranslateDialog(translatable);

    EXPECT_EQ(group->title(), QStringLiteral("Frequency"));
    EXPECT_EQ(label->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(nestedButton->text(), QStringLiteral("nested"));
    EXPECT_EQ(unknown->text(), QStringLiteral("keeps its text"));
}

TEST(MenuTranslation, WalksTheBarByPositionAndSkipsSeparators) {
    LanguageTable english;
    QMenuBar bar;
    QMenu* file = bar.addMenu(QStringLiteral("file"));
    file->addAction(QStringLiteral("new"));
    file->addAction(QStringLiteral("close"));
    QAction* separator = file->addSeparator();
    bar.addMenu(QStringLiteral("edit"));

    MenuTranslatable translatable(bar);
    english.TranslateMenu(translatable);

    EXPECT_EQ(bar.actions()[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(bar.actions()[1]->text(), QStringLiteral("&Edit"));
    EXPECT_EQ(file->actions()[0]->text(), QStringLiteral("&New"));
    EXPECT_EQ(file->actions()[1]->text(), QStringLiteral("&Close "));
    EXPECT_TRUE(separator->text().isEmpty());
}

}  // namespace
}  // namespace korvane
