#include "engine/poll_coordinator.h"

namespace korvane {

void PollCoordinator::SetPaused(bool paused) {
    {
        std::lock_guard lock(mutex_);
        paused_ = paused;
    }
    wake_.notify_all();
}

void PollCoordinator::WaitWhilePaused(std::stop_token stop, const std::function<bool()>& exempt) {
    if (!paused_.load()) {
        return;
    }
    std::unique_lock lock(mutex_);
    wake_.wait(lock, stop, [&] { return !paused_.load() || (exempt && exempt()); });
}

void PollCoordinator::WakeSleepers() {
    { std::lock_guard lock(mutex_); }
    wake_.notify_all();
}

PollCoordinator& ProgramPollCoordinator() {
    static PollCoordinator coordinator;
    return coordinator;
}

}  // namespace korvane
