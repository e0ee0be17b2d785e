#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/atomic_file.h"
#include "support/ended_process.h"
#include "support/temp_folder.h"

namespace korvane {
namespace {

using testing::TempFolder;

// A pipe with no writer: a plain blocking open of it would never return.
TEST(ReadFilePrefix, RefusesAFifoWithoutBlocking) {
    TempFolder folder;
    const std::filesystem::path fifo = folder.path() / "wave.csv";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes = "old";
    EXPECT_EQ(ReadFilePrefix(fifo, 1024, bytes), std::errc::invalid_argument);
    EXPECT_TRUE(bytes.empty());
}

TEST(ReadFilePrefix, RefusesAFolderAndAMissingFile) {
    TempFolder folder;
    std::string bytes;
    EXPECT_EQ(ReadFilePrefix(folder.path(), 1024, bytes), std::errc::is_a_directory);
    EXPECT_EQ(ReadFilePrefix(folder.path() / "none.set", 1024, bytes),
              std::errc::no_such_file_or_directory);
}

TEST(ReadFilePrefix, ReadsAtMostTheLimitAndFollowsLinks) {
    TempFolder folder;
    const std::filesystem::path file = folder.Write("a.set", std::string(200000, 'x') + "end");
    std::filesystem::create_symlink(file, folder.path() / "link.set");
    std::string bytes;
    EXPECT_FALSE(ReadFilePrefix(file, 114, bytes));
    EXPECT_EQ(bytes, std::string(114, 'x'));
    EXPECT_FALSE(ReadFilePrefix(folder.path() / "link.set", 1000000, bytes));
    EXPECT_EQ(bytes.size(), 200003u);
    EXPECT_TRUE(bytes.ends_with("end"));
}

TEST(WriteFileAtomically, ClearsTheTemporariesOfKilledWritersBesideIt) {
    TempFolder folder;
    const pid_t ended = testing::EndedProcess();
    const std::string stale = ".wave.csv.tmp." + std::to_string(ended) + ".0";
    folder.Write(stale, "half a file");
    folder.Write(".other.csv.tmp." + std::to_string(ended) + ".0", "not beside this file");
    EXPECT_FALSE(WriteFileAtomically(folder.path() / "wave.csv", "#CLOCK=1000\r\n"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / stale));
    EXPECT_TRUE(std::filesystem::exists(folder.path() /
                                        (".other.csv.tmp." + std::to_string(ended) + ".0")));
}

}  // namespace
}  // namespace korvane
