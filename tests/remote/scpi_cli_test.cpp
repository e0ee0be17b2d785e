// The example script against the headless server, as a user would run them.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/command_output.h"

extern char** environ;

namespace korvane::scpi {
namespace {

namespace fs = std::filesystem;

// The headless tool is built into the same folder as this test program.
fs::path ToolPath() {
    return fs::read_symlink("/proc/self/exe").parent_path() / "korvaneawg-cli";
}

fs::path ExampleScript() {
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "tools" /
           "scpi_example.py";
}

TEST(ScpiExample, ReadsTheSquareWaveBackFromTheHeadlessServer) {
    const fs::path tool = ToolPath();
    if (!fs::exists(tool) || std::system("python3 -c pass") != 0) {
        GTEST_SKIP() << "needs korvaneawg-cli beside the test program and python3";
    }
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string toolText = tool.string();
    char serve[] = "serve";
    char portOption[] = "--port";
    char anyPort[] = "0";
    char* argv[] = {toolText.data(), serve, portOption, anyPort, nullptr};
    pid_t server = 0;
    ASSERT_EQ(posix_spawn(&server, toolText.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);

    // "serving 1 source(s) on 127.0.0.1:PORT; stop with Ctrl+C"
    std::string banner;
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') {
        banner.push_back(c);
    }
    const std::size_t colon = banner.find("127.0.0.1:");
    ASSERT_NE(colon, std::string::npos) << banner;
    const int port = std::atoi(banner.c_str() + colon + 10);
    ASSERT_GT(port, 0);

    const std::string printed = korvane::testing::CommandOutput(
        "python3 " + ExampleScript().string() + " --port " + std::to_string(port));
    ::kill(server, SIGTERM);
    int status = 0;
    ::waitpid(server, &status, 0);
    ::close(out[0]);

    EXPECT_NE(printed.find("connected to Korvane,KorvaneAWG,0,"), std::string::npos) << printed;
    EXPECT_NE(printed.find("set: SQU 1000 Hz 1 V"), std::string::npos) << printed;
    const std::size_t at = printed.find("measured frequency: ");
    ASSERT_NE(at, std::string::npos) << printed;
    const double measured = std::atof(printed.c_str() + at + 20);
    EXPECT_NEAR(measured, 1000.0, 1.0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the server stops cleanly";
}

}  // namespace
}  // namespace korvane::scpi
