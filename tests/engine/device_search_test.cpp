// Counting the devices at start-up: the count is limited, and the search runs on a thread of its
// own that nobody has to wait for.
#include "engine/device_search.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "engine/detached_threads.h"
#include "engine/device_claim.h"
#include "engine/eventually.h"
#include "support/blocking_library.h"

namespace korvane {
namespace {

using testing::BlockingLibrary;

struct CountCase {
    int reported;
    int used;
    bool warned;
};

// The fault: a driver answering 1000 started 1000 workers, and 2^31-1 ran out of memory.
TEST(SearchDevices, LimitsTheReportedCountAndNamesItOnce) {
    const CountCase cases[] = {{-1, 0, false},        {0, 0, false},  {1, 1, false},
                               {64, 64, false},       {65, 64, true}, {1000, 64, true},
                               {2147483647, 64, true}};
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.reported);
        BlockingLibrary library(1);
        library.ReportDevices(c.reported);
        std::ostringstream warnings;
        EXPECT_EQ(SearchDevices(library, warnings), c.used);
        const std::string text = warnings.str();
        if (!c.warned) {
            EXPECT_EQ(text, "");
            continue;
        }
        EXPECT_EQ(text, "the driver reports " + std::to_string(c.reported) +
                            " devices; using the first 64\n");
    }
    EXPECT_EQ(kMaxDevices, 64);
}

TEST(DeviceSearch, AnswersOnItsOwnThreadWithTheLimitedCount) {
    BlockingLibrary library(1);
    library.ReportDevices(1000);
    std::atomic<int> found = -1;
    std::atomic<bool> onCaller = true;
    const std::thread::id caller = std::this_thread::get_id();
    ::testing::internal::CaptureStderr();
    {
        DeviceSearch search(library, [&](int count) {
            onCaller = std::this_thread::get_id() == caller;
            found = count;
        });
        ASSERT_TRUE(Eventually([&] { return found != -1; }));
    }
    JoinDetachedThreads();
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(found, 64);
    EXPECT_FALSE(onCaller);
    EXPECT_EQ(warnings, "the driver reports 1000 devices; using the first 64\n");
}

// The fault this guards against: the program waited for a driver still counting before it
// could end.
TEST(DeviceSearch, EndingDoesNotWaitForTheDriverAndNoAnswerComesAfter) {
    BlockingLibrary library(2);
    library.Hold("DDSSearch");
    std::atomic<bool> answered = false;
    auto search = std::make_unique<DeviceSearch>(library, [&](int) { answered = true; });
    ASSERT_TRUE(Eventually([&] { return library.Holding(); }));
    search.reset();
    EXPECT_TRUE(library.Holding()) << "ending the search waited for the driver";
    library.Release();
    JoinDetachedThreads();  // the driver's call returns before the library goes
    EXPECT_FALSE(library.Holding());
    EXPECT_FALSE(library.GaveUp());
    EXPECT_FALSE(answered) << "the count arrived after the search was ended";
    const auto log = library.simulator.CallLog();
    ASSERT_EQ(log.size(), 1U);
    EXPECT_EQ(log[0].name, "DDSSearch");
}

}  // namespace
}  // namespace korvane
