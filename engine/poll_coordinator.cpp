#include "engine/poll_coordinator.h"

namespace korvane {

void PollCoordinator::SetPaused(bool paused) {
    {
        std::lock_guard lock(mutex_);
        paused_ = paused;
    }
    wake_.notify_all();
}

void PollCoordinator::WaitWhilePaused(std::stop_token stop) {
    if (!paused_.load()) {
        return;
    }
    std::unique_lock lock(mutex_);
    wake_.wait(lock, stop, [this] { return !paused_.load(); });
}

PollCoordinator& ProgramPollCoordinator() {
    static PollCoordinator coordinator;
    return coordinator;
}

}  // namespace korvane
