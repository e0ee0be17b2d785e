#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/replace_file.h"
#include "support/ended_process.h"
#include "support/temp_folder.h"

namespace korvane {
namespace {

using testing::EndedProcess;
using testing::TempFolder;

TEST(RemoveStaleTemporaries, RemovesOnlyTheTemporariesOfEndedWriters) {
    TempFolder folder;
    const std::string dead = std::to_string(EndedProcess());
    const std::string alive = std::to_string(getpid());
    const std::filesystem::path target = folder.Write("config.ini", "[Form]\r\n");
    const char* removed[] = {".config.ini.tmp.%.0", ".config.ini.tmp.%.17"};
    const char* kept[] = {
        ".config.ini.tmp.#.3",   // its writer still runs
        ".Default.set.tmp.%.0",  // beside another file
        ".config.ini.tmp.%",     // not our naming
        ".config.ini.tmp.%.1x",  // not our naming
        ".config.ini.tmp.x%.1",  // not our naming
        "config.ini.tmp.%.0",    // not hidden: not ours
        ".config.ini.tmp..0",    // no process id
        "notes.txt",
    };
    const auto name = [&](std::string pattern) {
        if (const std::size_t at = pattern.find('%'); at != std::string::npos) {
            pattern.replace(at, 1, dead);
        }
        if (const std::size_t at = pattern.find('#'); at != std::string::npos) {
            pattern.replace(at, 1, alive);
        }
        return pattern;
    };
    for (const char* pattern : removed) {
        folder.Write(name(pattern), "half a file");
    }
    for (const char* pattern : kept) {
        folder.Write(name(pattern), "kept");
    }
    std::filesystem::create_directory(folder.path() / name(".config.ini.tmp.%.5"));  // a folder

    EXPECT_EQ(RemoveStaleTemporaries(target), 2);
    for (const char* pattern : removed) {
        EXPECT_FALSE(std::filesystem::exists(folder.path() / name(pattern))) << pattern;
    }
    for (const char* pattern : kept) {
        EXPECT_TRUE(std::filesystem::exists(folder.path() / name(pattern))) << pattern;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / name(".config.ini.tmp.%.5")));
    EXPECT_TRUE(std::filesystem::exists(target));
}

TEST(RemoveStaleTemporaries, AMissingFolderRemovesNothing) {
    TempFolder folder;
    EXPECT_EQ(RemoveStaleTemporaries(folder.path() / "missing" / "config.ini"), 0);
}

}  // namespace
}  // namespace korvane
