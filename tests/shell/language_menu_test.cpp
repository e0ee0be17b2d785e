#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

const QByteArray kGerman =
    "\xEF\xBB\xBF[App]\r\n8888=Deutsch\r\n800=&Datei\r\n80000=&Neu\r\n2007=Vorf\xC3\xBChrung\r\n"
    "2008=Kein Ger\xC3\xA4t\r\n57600=Neues Fenster\r\n";

QStringList ItemTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

QString ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(LanguageMenu, ListsALanguageFileFromASubfolderAndSwitchesToIt) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("language/extra/German.lug"), kGerman);
    ASSERT_TRUE(program.Start());
    CMainFrame& frame = program.Frame();
    QMenu* languages = frame.LanguageMenu();
    ASSERT_NE(languages, nullptr);
    EXPECT_EQ(ItemTexts(*languages), (QStringList{"Default(En)", "--", "Deutsch"}));
    EXPECT_EQ(frame.GetCurrentLanguage(), -1);
    EXPECT_TRUE(program.MenuItem(kCmdLanguageDefault)->isChecked());

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    EXPECT_EQ(frame.GetCurrentLanguage(), 0);
    EXPECT_EQ(frame.GetActiveMenu()->actions()[0]->text(), QStringLiteral("&Datei"));
    EXPECT_EQ(frame.CommandAction(kCmdFileNew)->text(), QStringLiteral("&Neu"));
    EXPECT_EQ(frame.CommandAction(kCmdFileNew)->toolTip(), QStringLiteral("Neues Fenster"));
    EXPECT_TRUE(program.MenuItem(kCmdFirstLanguage)->isChecked());
    EXPECT_FALSE(program.MenuItem(kCmdLanguageDefault)->isChecked());
    EXPECT_EQ(frame.GetLanguageFileName(0), QStringLiteral("extra/German.lug"));
    // The language's name stays in the menu whichever language is chosen.
    EXPECT_EQ(ItemTexts(*frame.LanguageMenu()).last(), QStringLiteral("Deutsch"));

    frame.TimerTick();
    EXPECT_EQ(frame.PaneText(0), QStringLiteral("Vorf\u00FChrung"));

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdLanguageDefault));
    EXPECT_EQ(frame.GetCurrentLanguage(), -1);
    EXPECT_EQ(frame.GetActiveMenu()->actions()[0]->text(), QStringLiteral("&File"));
    EXPECT_TRUE(program.MenuItem(kCmdLanguageDefault)->isChecked());
}

TEST(LanguageMenu, AStoredIndexBeyondTheListSelectsTheLastLanguage) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("language/German.lug"), kGerman);
    program.WriteFile(QStringLiteral("config.ini"), "[Form]\r\nLanguage=5\r\n");
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Frame().GetCurrentLanguage(), 0);
    EXPECT_TRUE(program.MenuItem(kCmdFirstLanguage)->isChecked());
    // The automatic name is said in the stored language from the start.
    EXPECT_EQ(program.TabTexts(), QStringList{QStringLiteral("Vorf\u00FChrung 1")});
}

TEST(LanguageMenu, WithoutLanguageFilesEveryIndexSelectsTheBuiltInLanguage) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("config.ini"), "[Form]\r\nLanguage=3\r\n");
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Frame().GetCurrentLanguage(), -1);
    EXPECT_EQ(ItemTexts(*program.Frame().LanguageMenu()), (QStringList{"Default(En)", "--"}));
    program.Frame().OnCommand(kCmdFirstLanguage + 4);
    EXPECT_EQ(program.Frame().GetCurrentLanguage(), -1);
}

TEST(SettingsFile, FirstRunCreatesConfigIniAtExitWithTheBuiltInLanguage) {
    ProgramUnderTest program(0);
    const QString config = program.ProgramDir() + QStringLiteral("/config.ini");
    ASSERT_FALSE(QFile::exists(config));
    ASSERT_TRUE(program.Start());
    EXPECT_FALSE(QFile::exists(config));  // written once, at the end
    program.Quit();
    const QString text = ReadFile(config);
    EXPECT_TRUE(text.contains(QStringLiteral("[Form]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Language=-1"))) << text.toStdString();
}

TEST(SettingsFile, TheChosenLanguageIsWrittenAtExitAndReadAtTheNextStart) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("language/German.lug"), kGerman);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    program.Quit();
    const QString config = program.ProgramDir() + QStringLiteral("/config.ini");
    EXPECT_TRUE(ReadFile(config).contains(QStringLiteral("Language=0")));
}

}  // namespace
}  // namespace korvane
