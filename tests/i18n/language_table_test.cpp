#include "i18n/language_table.h"

#include <gtest/gtest.h>

#include "support/param_name.h"

#include <filesystem>
#include <string>
#include <vector>

#include "fake_translatables.h"
#include "support/temp_folder.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using testing::FakeDialog;
using testing::FakeMenu;
using testing::TempFolder;

// A program folder with language files, scanned into a table.
class LanguageFilesTest : public ::testing::Test {
  protected:
    void AddLanguage(const fs::path& relative, const std::string& text) {
        program_.Write(fs::path("language") / relative, text);
    }
    void Scan() { table_.ScanLanguageFiles(program_.path(), temp_.path()); }

    TempFolder program_;
    TempFolder temp_;
    LanguageTable table_;
};

TEST(LanguageTableTest, StartsWithTheBuiltInEnglishTexts) {
    const LanguageTable table;
    EXPECT_EQ(table.GetCurrentLanguage(), -1);
    EXPECT_EQ(table.GetLanguageCount(), 0);
    EXPECT_EQ(table.GetLangString(8888), "English");
    EXPECT_EQ(table.GetLangString(2012),
              "Haven't found hardware and the program will work in demo mode!!!");
    EXPECT_EQ(table.GetLangString(57607), "Print ");
    EXPECT_EQ(table.GetLangString(10051), "");
    EXPECT_TRUE(table.BuiltInPath().empty());
}

TEST(LanguageTableTest, TheFirstOfTwoEqualKeysWins) {
    const LanguageTable table;
    EXPECT_EQ(table.GetText(1055), "KorvaneAWG");
    std::string text = "resource";
    EXPECT_TRUE(table.TranslateControl([&](const std::string& t) { text = t; }, 1055));
    EXPECT_EQ(text, "KorvaneAWG");
}

TEST(LanguageTableTest, TranslateDialogRetitlesOnlyControlsWithAKey) {
    const LanguageTable table;
    FakeDialog dialog({{1127, "resource ok"}, {1048, "resource cancel"}, {1999, "kept"}});
    EXPECT_EQ(table.TranslateDialog(dialog), 1);
    EXPECT_EQ(dialog.Text(0), "OK");
    EXPECT_EQ(dialog.Text(1), "Cancel");
    EXPECT_EQ(dialog.Text(2), "kept");
}

TEST_F(LanguageFilesTest, KeysWithTrailingLettersMatchControlsButNotExactLookups) {
    AddLanguage("Test.lug", "[App]\r\n8888=Test\r\n1234abc=Prefixed\r\n1234=Exact\r\n");
    Scan();
    table_.SelectLanguage(0);
    EXPECT_EQ(table_.GetText(1234), "Exact");
    FakeDialog dialog({{1234, ""}});
    table_.TranslateDialog(dialog);
    EXPECT_EQ(dialog.Text(0), "Prefixed");
}

TEST_F(LanguageFilesTest, NamesPathsAndFileNamesOfFoundLanguages) {
    AddLanguage("Deutsch.lug", "[App]\r\n8888=Deutsch\r\n");
    AddLanguage("Empty.lug", "[App]\r\n8888=\r\n100=x\r\n");
    AddLanguage("Nameless.lug", "[App]\r\n100=x\r\n");
    AddLanguage("asia/Chinese.lug", "[App]\r\n8888=\xE4\xB8\xAD\xE6\x96\x87\r\n");
    Scan();
    ASSERT_EQ(table_.GetLanguageCount(), 4);
    EXPECT_EQ(table_.GetLanguageName(-1), "English");
    EXPECT_EQ(table_.GetLanguageName(0), "Deutsch");
    EXPECT_EQ(table_.GetLanguageName(1), "Empty");
    EXPECT_EQ(table_.GetLanguageName(2), "-1");
    EXPECT_EQ(table_.GetLanguageName(3), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(table_.GetLanguageName(99), table_.GetLanguageName(3));
    EXPECT_EQ(table_.GetLanguageFileName(-1), "English");
    EXPECT_EQ(table_.GetLanguageFileName(3), "asia/Chinese.lug");
    EXPECT_EQ(table_.GetLanguagePath(-1), fs::path());
    EXPECT_EQ(table_.GetLanguagePath(3), program_.path() / "language" / "asia" / "Chinese.lug");
    EXPECT_EQ(table_.GetLanguagePath(7), table_.GetLanguagePath(3));
}

TEST_F(LanguageFilesTest, WithoutLanguageFilesNamesAndPathsAreEmpty) {
    Scan();
    EXPECT_EQ(table_.GetLanguageCount(), 0);
    EXPECT_EQ(table_.GetLanguageName(0), "");
    EXPECT_EQ(table_.GetLanguageFileName(0), "");
    EXPECT_EQ(table_.GetLanguagePath(0), fs::path());
}

struct ClampCase {
    int requested;
    int selected;
};

class SelectLanguageTest : public LanguageFilesTest,
                           public ::testing::WithParamInterface<ClampCase> {};

TEST_P(SelectLanguageTest, ClampsIntoTheList) {
    AddLanguage("A.lug", "[App]\r\n8888=A\r\n2007=Demo A\r\n");
    AddLanguage("B.lug", "[App]\r\n8888=B\r\n2007=Demo B\r\n");
    Scan();
    EXPECT_EQ(table_.SelectLanguage(GetParam().requested), 1);
    EXPECT_EQ(table_.GetCurrentLanguage(), GetParam().selected);
    const char* demo[] = {"Demo", "Demo A", "Demo B"};
    EXPECT_EQ(table_.GetLangString(2007), demo[GetParam().selected + 1]);
}

INSTANTIATE_TEST_SUITE_P(Indexes, SelectLanguageTest,
                         ::testing::Values(ClampCase{-1, -1}, ClampCase{-7, -1}, ClampCase{0, 0},
                                           ClampCase{1, 1}, ClampCase{2, 1}, ClampCase{1000, 1}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName("requested", p.requested);
                         });

TEST_F(LanguageFilesTest, WithoutFilesEveryIndexSelectsTheBuiltInLanguage) {
    Scan();
    for (const int index : {-3, 0, 5}) {
        table_.SelectLanguage(index);
        EXPECT_EQ(table_.GetCurrentLanguage(), -1);
        EXPECT_EQ(table_.GetLangString(800), "&File");
    }
}

TEST_F(LanguageFilesTest, EveryLanguageNamesTheLanguageMenuItemsAfterItsOwnTexts) {
    AddLanguage("A.lug", "[App]\r\n8888=Alpha\r\n");
    AddLanguage("B.lug", "[App]\r\n8888=Beta\r\n8050402=Overridden\r\n");
    Scan();
    for (const int index : {-1, 0, 1}) {
        table_.SelectLanguage(index);
        const Strings& keys = table_.Keys();
        ASSERT_GE(keys.size(), 2u);
        EXPECT_EQ((Strings{keys.end() - 2, keys.end()}), (Strings{"8050402", "8050403"}));
        EXPECT_EQ((Strings{table_.Values().end() - 2, table_.Values().end()}),
                  (Strings{"Alpha", "Beta"}));
    }
    // A file's own key comes first and so wins.
    EXPECT_EQ(table_.GetText(8050402), "Overridden");
    EXPECT_EQ(table_.GetText(8050403), "Beta");
}

TEST_F(LanguageFilesTest, AFileInASubfolderLoadsFromThere) {
    AddLanguage("europe/Francais.lug",
                "\xEF\xBB\xBF[App]\r\n8888=Fran\xC3\xA7"
                "ais\r\n2007=D\xC3\xA9mo\r\n");
    Scan();
    table_.SelectLanguage(0);
    EXPECT_EQ(table_.GetLangString(2007), "D\xC3\xA9mo");
}

TEST_F(LanguageFilesTest, AnUnreadableLanguageHasOnlyTheGeneratedPairs) {
    AddLanguage("Broken.lug", "[App]\r\n8888=Broken\r\n");
    Scan();
    fs::remove(program_.path() / "language" / "Broken.lug");
    table_.SelectLanguage(0);
    EXPECT_EQ(table_.GetLangString(800), "");
    EXPECT_EQ(table_.Keys(), (Strings{"8050402"}));
    FakeDialog dialog({{1127, "resource"}});
    table_.TranslateDialog(dialog);
    EXPECT_EQ(dialog.Text(0), "resource");
}

TEST_F(LanguageFilesTest, EightBitAndUtf16FilesGiveUtf8Texts) {
    AddLanguage("Espanol.lug", "[App]\r\n8888=Espa\xF1ol\r\n");
    std::string utf16 = "\xFE\xFF";
    for (const char c : std::string("[App]\r\n8888=Portugu\xEAs\r\n")) {
        utf16 += '\0';
        utf16 += c;
    }
    AddLanguage("Portugues.lug", utf16);
    Scan();
    EXPECT_EQ(table_.GetLanguageName(0), "Espa\xC3\xB1ol");
    EXPECT_EQ(table_.GetLanguageName(1), "Portugu\xC3\xAAs");
}

TEST_F(LanguageFilesTest, ScanWritesTheBuiltInFile) {
    Scan();
    EXPECT_EQ(table_.BuiltInPath().filename(), "default.lug");
    EXPECT_TRUE(fs::is_regular_file(table_.BuiltInPath()));
    EXPECT_TRUE(table_.ScanCompleted());
}

TEST(LanguageTableMenuTest, TranslatesFourLevelsByPositionAndSkipsSeparators) {
    FakeMenu bar;
    FakeMenu& file = bar.AddSubmenu("File");
    file.Add("New").Add("Close").AddSeparator();
    bar.AddSubmenu("Edit");
    bar.AddSubmenu("Wave");
    bar.AddSubmenu("Digital");
    bar.AddSubmenu("Display");
    FakeMenu& utility = bar.AddSubmenu("Utility");
    utility.Add("Sweep").Add("Open").Add("Close").AddSeparator();
    FakeMenu& language = utility.AddSubmenu("Language");
    language.Add("Default").AddSeparator();
    language.AddSubmenu("Deeper").Add("Deepest");

    LanguageTable table;
    table.TranslateMenu(bar);
    EXPECT_EQ(bar.Text(0), "&File");
    EXPECT_EQ(file.Text(1), "&Close ");
    EXPECT_EQ(file.Text(2), FakeMenu::kSeparator);
    EXPECT_EQ(bar.Text(5), "&Utility");
    EXPECT_EQ(utility.Text(4), "Language");
    EXPECT_EQ(language.Text(0), "Default(En)");
    EXPECT_EQ(language.Text(1), FakeMenu::kSeparator);
    // 8050402 and 805040200 have no text in the built-in language.
    EXPECT_EQ(language.Text(2), "Deeper");
    EXPECT_EQ(language.Sub(2).Text(0), "Deepest");
}

TEST(LanguageTableMenuTest, SetMenuItemTextWalksTheKeysPositions) {
    FakeMenu bar;
    bar.Add("zero");
    FakeMenu& one = bar.AddSubmenu("one");
    one.Add("a");
    FakeMenu& sub = one.AddSubmenu("b");
    sub.Add("c").Add("d");
    sub.AddSubmenu("e").Add("f");

    EXPECT_TRUE(SetMenuItemText(bar, 801, "One"));
    EXPECT_TRUE(SetMenuItemText(bar, 80101, "B"));
    EXPECT_TRUE(SetMenuItemText(bar, 8010101, "D"));
    EXPECT_TRUE(SetMenuItemText(bar, 801010200, "F"));
    EXPECT_EQ(bar.Text(1), "One");
    EXPECT_EQ(one.Text(1), "B");
    EXPECT_EQ(sub.Text(1), "D");
    EXPECT_EQ(sub.Sub(2).Text(0), "F");
    // No such item, or a path through a plain command: nothing changes.
    EXPECT_FALSE(SetMenuItemText(bar, 805, "x"));
    EXPECT_FALSE(SetMenuItemText(bar, 80005, "x"));
    EXPECT_FALSE(SetMenuItemText(bar, 8000000, "x"));
    EXPECT_EQ(bar.Changes() + one.Changes() + sub.Changes(), 3);
}

TEST(LanguageTableMenuTest, ALanguageWithoutTextsLeavesTheMenuAlone) {
    TempFolder program;
    TempFolder temp;
    program.Write("language/Empty.lug", "");
    LanguageTable table;
    table.ScanLanguageFiles(program.path(), temp.path());
    table.SelectLanguage(0);
    // The generated pair for the one file is all the table holds.
    ASSERT_EQ(table.Keys().size(), 1u);
    FakeMenu bar;
    bar.Add("File");
    table.TranslateMenu(bar);
    EXPECT_EQ(bar.Text(0), "File");
}

}  // namespace
}  // namespace korvane
