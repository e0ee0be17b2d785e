#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "engine/eventually.h"
#include "engine/poll_coordinator.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;

TEST(PollCoordinator, AWorkerPassesStraightThroughWhenNotPaused) {
    PollCoordinator coordinator;
    std::stop_source stop;
    coordinator.WaitWhilePaused(stop.get_token());  // would hang the test if it waited
    EXPECT_FALSE(coordinator.Paused());
}

// A worker thread that waits at the pause of a paused coordinator, then notes it went through.
class PausedWorkerTest : public ::testing::Test {
  protected:
    PausedWorkerTest() {
        coordinator.SetPaused(true);
        worker = std::jthread([this](std::stop_token stop) {
            coordinator.WaitWhilePaused(stop);
            through = true;
        });
    }

    PollCoordinator coordinator;
    std::atomic<bool> through{false};
    std::jthread worker;
};

TEST_F(PausedWorkerTest, WaitsUntilResumed) {
    std::this_thread::sleep_for(30ms);
    EXPECT_FALSE(through.load());
    coordinator.SetPaused(false);
    EXPECT_TRUE(Eventually([&] { return through.load(); }));
}

TEST_F(PausedWorkerTest, AStopRequestEndsThePause) {
    worker.request_stop();
    EXPECT_TRUE(Eventually([&] { return through.load(); }));
    EXPECT_TRUE(coordinator.Paused());
}

}  // namespace
}  // namespace korvane
