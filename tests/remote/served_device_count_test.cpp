// The headless tool's server and its device list drive at most 64 devices, whatever the driver
// reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "engine/device_claim.h"
#include "engine/eventually.h"
#include "remote/served_devices.h"
#include "support/blocking_library.h"
#include "support/command_output.h"

namespace korvane {
namespace {

// The fault: a driver answering 1000 started 1000 workers, and 2^31-1 ran out of memory.
TEST(ServedDevices, ADriverReportingTooManyDevicesGets64ChannelsAndOneWarning) {
    for (const int reported : {1000, 2147483647}) {
        SCOPED_TRACE(reported);
        testing::BlockingLibrary library(1);
        library.ReportDevices(reported);
        ::testing::internal::CaptureStderr();
        std::size_t channels = 0;
        {
            scpi::ServedDevices served(library, {"127.0.0.1", 0});
            channels = served.ChannelCount();
            // Each channel's worker calls the device at once (its configuration); the search ran
            // on this thread.
            EXPECT_TRUE(
                Eventually([&] { return library.ThreadCount() == std::size_t{kMaxDevices} + 1; }));
        }
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(channels, std::size_t{kMaxDevices});
        EXPECT_EQ(library.ThreadCount(), std::size_t{kMaxDevices} + 1);
        EXPECT_EQ(warnings, "the driver reports " + std::to_string(reported) +
                                " devices; using the first 64\n");
    }
}

#ifdef KORVANE_SLOW_DRIVER
// Runs `korvaneawg-cli devices` (built beside this test program) on the slow test driver
// reporting `reported` devices; `streams` picks what is read ("2>/dev/null": standard output,
// "2>&1 >/dev/null": standard error).
// The headless tool beside the test program; a build without it (ThreadSanitizer) has none.
std::filesystem::path Tool() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "korvaneawg-cli";
}

std::string ListDevices(int reported, const std::string& streams) {
    const std::filesystem::path tool = Tool();
    const std::string command =
        "KVDDS_LIBRARY='" KORVANE_SLOW_DRIVER "' KVDDS_SLOW_MS=0 KVDDS_SLOW_DEVICES=" +
        std::to_string(reported) + " '" + tool.string() + "' devices " + streams;
    return testing::CommandOutput(command);
}

TEST(CliDevices, ADriverReportingTooManyDevicesListsTheFirst64AndWarnsOnce) {
    if (!std::filesystem::exists(Tool())) {
        GTEST_SKIP() << "needs korvaneawg-cli beside the test program";
    }
    for (const int reported : {1000, 2147483647}) {
        SCOPED_TRACE(reported);
        std::string expected = "devices: 64\ndevice 0: present\n";
        for (int i = 1; i < kMaxDevices; ++i) {
            expected += "device " + std::to_string(i) + ": missing\n";
        }
        EXPECT_EQ(ListDevices(reported, "2>/dev/null"), expected);
        EXPECT_EQ(
            ListDevices(reported, "2>&1 >/dev/null"),
            "the driver reports " + std::to_string(reported) + " devices; using the first 64\n");
    }
}
#endif

}  // namespace
}  // namespace korvane
