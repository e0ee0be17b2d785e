#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>

namespace korvane {

// State shared by the workers of every channel in the program.
class PollCoordinator {
  public:
    // Only one channel's cycle runs at a time; a cycle that finds another running is skipped.
    bool TryEnterPoll() { return !pollGuard_.exchange(true, std::memory_order_acquire); }
    void LeavePoll() { pollGuard_.store(false, std::memory_order_release); }

    // Counts cycles; a frequency reading is taken when it is a multiple of 5.
    int AdvancePollCounter() { return ++pollCounter_; }
    void RestartPollCounter() { pollCounter_ = 0; }
    int PollCounter() const { return pollCounter_.load(); }

    // While paused (the Sweep dialog is open) no worker polls; they sleep, not spin.
    void SetPaused(bool paused);
    bool Paused() const { return paused_.load(); }

    // Returns at once unless paused; then sleeps until resumed, stop is requested or `exempt`
    // holds (a channel that sweeps or must restore after a sweep keeps working while paused).
    // Workers call it every cycle, so the common case takes no lock.
    void WaitWhilePaused(std::stop_token stop, const std::function<bool()>& exempt = {});
    // Wakes the sleepers of WaitWhilePaused, so they test their `exempt` again.
    void WakeSleepers();

    // Keeps sweep steps from overlapping.
    bool TryEnterSweepStep() { return !sweepStepGuard_.exchange(true, std::memory_order_acquire); }
    void LeaveSweepStep() { sweepStepGuard_.store(false, std::memory_order_release); }

  private:
    std::atomic<bool> pollGuard_{false};
    std::atomic<int> pollCounter_{0};
    std::atomic<bool> paused_{false};
    std::atomic<bool> sweepStepGuard_{false};
    std::mutex mutex_;
    std::condition_variable_any wake_;
};

// The program's one coordinator.
PollCoordinator& ProgramPollCoordinator();

}  // namespace korvane
