#include "i18n/file_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using testing::TempFolder;

TEST(FileSearchTest, ListsFolderFirstThenEachLevelOfSubfolders) {
    TempFolder folder;
    for (const char* file : {"b/deep/Zh.lug", "b/Fr.lug", "a/De.lug", "It.lug", "Es.lug",
                             "a/inner/Pt.lug", "readme.txt", "a/help.chm"}) {
        folder.Write(file, "[App]\r\n");
    }
    FileSearch search;
    EXPECT_EQ(search.Search(folder.path(), "*.lug"), 1);
    EXPECT_EQ(search.Results(), (Strings{"Es.lug", "It.lug", "a/De.lug", "b/Fr.lug",
                                         "a/inner/Pt.lug", "b/deep/Zh.lug"}));
}

TEST(FileSearchTest, ComparesTheLastThreeCharactersIgnoringCase) {
    TempFolder folder;
    for (const char* file : {"UPPER.LUG", "plug", "lu", "x.lugg", "lug"}) {
        folder.Write(file, "");
    }
    FileSearch search;
    search.Search(folder.path(), "*.lug");
    EXPECT_EQ(search.Results(), (Strings{"UPPER.LUG", "lug", "plug"}));
}

TEST(FileSearchTest, StarDotStarListsEveryFile) {
    TempFolder folder;
    folder.Write("a.txt", "");
    folder.Write("sub/b", "");
    FileSearch search;
    search.Search(folder.path(), "*.*");
    EXPECT_EQ(search.Results(), (Strings{"a.txt", "sub/b"}));
}

TEST(FileSearchTest, ResultsOfSeveralSearchesAccumulate) {
    TempFolder folder;
    folder.Write("a.lug", "");
    FileSearch search;
    search.Search(folder.path(), "*.lug");
    search.Search(folder.path(), "*.lug");
    EXPECT_EQ(search.Results(), (Strings{"a.lug", "a.lug"}));
}

TEST(FileSearchTest, DoesNotFollowFolderLinksSoALoopEnds) {
    TempFolder folder;
    folder.Write("a/De.lug", "");
    fs::create_directory_symlink("..", folder.path() / "a" / "up");
    fs::create_directory_symlink(folder.path() / "a", folder.path() / "same");
    FileSearch search;
    EXPECT_EQ(search.Search(folder.path(), "*.lug"), 1);
    EXPECT_EQ(search.Results(), (Strings{"a/De.lug"}));
}

TEST(FileSearchTest, ListsLinksToFiles) {
    TempFolder folder;
    folder.Write("real/Fr.lug", "");
    fs::create_symlink(folder.path() / "real" / "Fr.lug", folder.path() / "French.lug");
    fs::create_symlink(folder.path() / "gone.lug", folder.path() / "dangling.lug");
    FileSearch search;
    search.Search(folder.path(), "*.lug");
    EXPECT_EQ(search.Results(), (Strings{"French.lug", "real/Fr.lug"}));
}

TEST(FileSearchTest, AMissingFolderFindsNothing) {
    TempFolder folder;
    FileSearch search;
    EXPECT_EQ(search.Search(folder.path() / "language", "*.lug"), 1);
    EXPECT_TRUE(search.Results().empty());
}

TEST(FileSearchTest, GivesUpWhenTooManySubfoldersWaitKeepingWhatItFound) {
    TempFolder folder;
    folder.Write("De.lug", "");
    // The folder being enumerated counts as pending while its subfolders are collected.
    constexpr std::size_t kLimit = 3;
    fs::create_directory(folder.path() / "d1");
    fs::create_directory(folder.path() / "d2");
    FileSearch enough(kLimit);
    EXPECT_EQ(enough.Search(folder.path(), "*.lug"), 1);

    fs::create_directory(folder.path() / "d3");
    FileSearch tooMany(kLimit);
    EXPECT_EQ(tooMany.Search(folder.path(), "*.lug"), 0);
    EXPECT_EQ(tooMany.Results(), (Strings{"De.lug"}));
}

TEST(FileSearchTest, FoldersEnumeratedEarlierNoLongerCount) {
    TempFolder folder;
    // Seven folders in all, the base included, but never more than five pending at once: while b
    // is enumerated, a/x and a/y wait and b/w and b/z join them.
    for (const char* path : {"a/x/1.lug", "a/y/2.lug", "b/z/3.lug", "b/w/4.lug"}) {
        folder.Write(path, "");
    }
    FileSearch search(5);
    EXPECT_EQ(search.Search(folder.path(), "*.lug"), 1);
    EXPECT_EQ(search.Results(), (Strings{"a/x/1.lug", "a/y/2.lug", "b/w/4.lug", "b/z/3.lug"}));
    FileSearch tooFew(4);
    EXPECT_EQ(tooFew.Search(folder.path(), "*.lug"), 0);
}

}  // namespace
}  // namespace korvane
