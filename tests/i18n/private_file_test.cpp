#include "platform/private_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "i18n/builtin_language.h"
#include "i18n/language_table.h"
#include "support/temp_folder.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;

unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

fs::path UserFolder(const TempFolder& temp) {
    return temp.path() / ("korvaneawg-" + std::to_string(geteuid()));
}

TEST(WriteBuiltInLanguageTest, WritesTheBuiltInBytesForThisUserOnly) {
    TempFolder temp;
    LanguageTable table;
    ASSERT_TRUE(table.WriteBuiltInLanguage(temp.path()));
    EXPECT_EQ(table.BuiltInPath(), UserFolder(temp) / "default.lug");
    EXPECT_EQ(ReadBytes(table.BuiltInPath()), BuiltInLanguageBytes());
    EXPECT_EQ(ModeOf(UserFolder(temp)), 0700u);
    EXPECT_EQ(ModeOf(table.BuiltInPath()), 0600u);
    // Rewritten at every start, leaving nothing else behind.
    ASSERT_TRUE(table.WriteBuiltInLanguage(temp.path()));
    EXPECT_EQ(std::distance(fs::directory_iterator(UserFolder(temp)), fs::directory_iterator()), 1);
}

TEST(WriteBuiltInLanguageTest, ALinkPlacedAtTheFileNameIsReplacedNotFollowed) {
    TempFolder temp;
    const fs::path victim = temp.Write("victim.txt", "precious");
    fs::create_directory(UserFolder(temp));
    fs::create_symlink(victim, UserFolder(temp) / "default.lug");
    LanguageTable table;
    ASSERT_TRUE(table.WriteBuiltInLanguage(temp.path()));
    EXPECT_EQ(ReadBytes(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(table.BuiltInPath()));
    EXPECT_EQ(ReadBytes(table.BuiltInPath()), BuiltInLanguageBytes());
}

TEST(WriteBuiltInLanguageTest, ALinkPlacedAtTheFolderNameIsRefused) {
    TempFolder temp;
    const fs::path elsewhere = temp.path() / "elsewhere";
    fs::create_directory(elsewhere);
    fs::create_directory_symlink(elsewhere, UserFolder(temp));
    LanguageTable table;
    EXPECT_FALSE(table.WriteBuiltInLanguage(temp.path()));
    EXPECT_TRUE(table.BuiltInPath().empty());
    EXPECT_TRUE(fs::is_empty(elsewhere));
    // The English texts come from the program itself all the same.
    EXPECT_EQ(table.GetLangString(800), "&File");
}

TEST(WriteBuiltInLanguageTest, AFileAtTheFolderNameIsRefused) {
    TempFolder temp;
    temp.Write(UserFolder(temp).filename(), "not a folder");
    EXPECT_TRUE(WritePrivateFile(temp.path(), "korvaneawg", "default.lug", "x").empty());
}

TEST(WriteBuiltInLanguageTest, AnOpenFolderOfThisUserIsClosedToOthers) {
    TempFolder temp;
    fs::create_directory(UserFolder(temp));
    ASSERT_EQ(chmod(UserFolder(temp).c_str(), 0777), 0);
    EXPECT_FALSE(WritePrivateFile(temp.path(), "korvaneawg", "default.lug", "x").empty());
    EXPECT_EQ(ModeOf(UserFolder(temp)), 0700u);
}

TEST(WriteBuiltInLanguageTest, AFolderOfAnotherUserIsRefused) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can give a folder to another user";
    }
    TempFolder temp;
    const fs::path folder = UserFolder(temp);
    fs::create_directory(folder);
    ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
    EXPECT_TRUE(WritePrivateFile(temp.path(), "korvaneawg", "default.lug", "x").empty());
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(WriteBuiltInLanguageTest, AMissingTemporaryFolderLeavesThePathEmpty) {
    TempFolder temp;
    LanguageTable table;
    EXPECT_FALSE(table.WriteBuiltInLanguage(temp.path() / "gone"));
    EXPECT_TRUE(table.BuiltInPath().empty());
}

}  // namespace
}  // namespace korvane
