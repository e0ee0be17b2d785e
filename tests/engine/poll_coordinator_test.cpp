#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "engine/poll_coordinator.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;

// Waits (bounded) until `done` holds; the bound only protects the test run from hanging.
template <typename Predicate>
bool Eventually(Predicate done) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(PollCoordinator, AWorkerPassesStraightThroughWhenNotPaused) {
    PollCoordinator coordinator;
    std::stop_source stop;
    coordinator.WaitWhilePaused(stop.get_token());  // would hang the test if it waited
    EXPECT_FALSE(coordinator.Paused());
}

TEST(PollCoordinator, APausedWorkerWaitsUntilResumed) {
    PollCoordinator coordinator;
    coordinator.SetPaused(true);
    std::atomic<bool> through{false};
    std::jthread worker([&](std::stop_token stop) {
        coordinator.WaitWhilePaused(stop);
        through = true;
    });
    std::this_thread::sleep_for(30ms);
    EXPECT_FALSE(through.load());
    coordinator.SetPaused(false);
    EXPECT_TRUE(Eventually([&] { return through.load(); }));
}

TEST(PollCoordinator, AStopRequestEndsThePause) {
    PollCoordinator coordinator;
    coordinator.SetPaused(true);
    std::atomic<bool> through{false};
    std::jthread worker([&](std::stop_token stop) {
        coordinator.WaitWhilePaused(stop);
        through = true;
    });
    worker.request_stop();
    EXPECT_TRUE(Eventually([&] { return through.load(); }));
    EXPECT_TRUE(coordinator.Paused());
}

}  // namespace
}  // namespace korvane
