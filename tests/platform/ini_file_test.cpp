#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;

TEST(IniFileTest, MissingFileSectionOrKeyReadsAsMinusOne) {
    TempFolder folder;
    const IniFile missing(folder.path() / "none.ini");
    EXPECT_EQ(missing.ReadString("Form", "Language"), "-1");
    const IniFile config(folder.Write("config.ini", "[Form]\r\nLanguage=3\r\n"));
    EXPECT_EQ(config.ReadString("Form", "Language"), "3");
    EXPECT_EQ(config.ReadString("Form", "Other"), "-1");
    EXPECT_EQ(config.ReadString("App", "Language"), "-1");
}

TEST(IniFileTest, AlwaysWritingCreatesFileAndSection) {
    TempFolder folder;
    const IniFile config(folder.path() / "config.ini");
    EXPECT_EQ(config.WriteString("Form", "Language", "-1", true), 0);
    EXPECT_EQ(ReadBytes(config.Path()), "[Form]\nLanguage=-1\n");
    EXPECT_EQ(config.ReadString("Form", "Language"), "-1");
}

TEST(IniFileTest, WritingOnlyExistingKeysLeavesMissingOnesAlone) {
    TempFolder folder;
    const IniFile config(folder.Write("config.ini", "[Form]\r\nLanguage=3\r\n"));
    EXPECT_EQ(config.WriteString("Form", "Width", "5", false), 1);
    EXPECT_EQ(config.WriteString("Form", "Language", "4", false), 0);
    EXPECT_EQ(ReadBytes(config.Path()), "[Form]\r\nLanguage=4\r\n");
    const IniFile missing(folder.path() / "none.ini");
    EXPECT_EQ(missing.WriteString("Form", "Language", "4", false), 1);
    EXPECT_FALSE(fs::exists(missing.Path()));
}

TEST(IniFileTest, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const IniFile config(folder.Write("config.ini", "[Form]\nLanguage=3\n"));
    ASSERT_EQ(chmod(config.Path().c_str(), 0640), 0);
    ASSERT_EQ(config.WriteString("Form", "Language", "0", true), 0);
    struct stat info {};
    ASSERT_EQ(stat(config.Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(IniFileTest, AFolderThatCannotBeWrittenGivesAnErrorCode) {
    TempFolder folder;
    const IniFile config(folder.path() / "missing-folder" / "config.ini");
    EXPECT_GT(config.WriteString("Form", "Language", "0", true), 1);
}

TEST(IniFileTest, AnExistingFileThatCannotBeReadIsNotReplaced) {
    TempFolder folder;
    fs::create_directory(folder.path() / "config.ini");
    const IniFile config(folder.path() / "config.ini");
    EXPECT_GT(config.WriteString("Form", "Language", "0", true), 1);
    EXPECT_TRUE(fs::is_directory(config.Path()));
}

TEST(IniFileTest, ReadsUtf16Files) {
    TempFolder folder;
    std::string bytes = "\xFF\xFE";
    for (const char c : std::string("[App]\r\n8888=Fran\xE7"
                                    "ais\r\n")) {
        bytes += c;
        bytes += '\0';
    }
    const IniFile file(folder.Write("fr.lug", bytes));
    EXPECT_EQ(file.ReadString("App", "8888"),
              "Fran\xC3\xA7"
              "ais");
    std::vector<std::string> keys;
    std::vector<std::string> values;
    EXPECT_EQ(file.ReadSection("App", keys, values), 1);
}

TEST(IniFileTest, AFolderOrPipeReadsAsEmptyWithoutBlocking) {
    TempFolder folder;
    const fs::path pipe = folder.path() / "pipe.lug";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::vector<std::string> keys;
    std::vector<std::string> values;
    EXPECT_EQ(IniFile(pipe).ReadSection("App", keys, values), 0);
    EXPECT_EQ(IniFile(folder.path()).ReadString("App", "8888"), "-1");
}

}  // namespace
}  // namespace korvane
