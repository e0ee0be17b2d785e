#include "engine/command_queue.h"

#include <algorithm>

#include "engine/wave_type.h"

namespace korvane {

void CommandQueue::Push(int code) {
    std::lock_guard lock(mutex_);
    commands_.push_back(code);
}

int CommandQueue::Pop() {
    std::lock_guard lock(mutex_);
    if (commands_.empty()) {
        return 0;
    }
    int code = commands_.front();
    commands_.pop_front();
    return code;
}

std::vector<int> CommandQueue::Commands() const {
    std::lock_guard lock(mutex_);
    return {commands_.begin(), commands_.end()};
}

void CommandQueue::RequestDownload(bool demo) {
    std::lock_guard lock(mutex_);
    QueueDownload(demo);
}

void CommandQueue::QueueDownload(bool demo) {
    // A demo channel's queue is never consumed: one pending download is enough, so the queue
    // cannot grow with every change made on the panel.
    if (demo &&
        std::find(commands_.begin(), commands_.end(), DeviceCommand::Download) != commands_.end()) {
        return;
    }
    // A Download at the head goes out before anything queued behind it, so it does not serve a
    // SetFrequency queued later: that one needs a Download after it, or the device keeps a
    // buffer built for the old point count.
    if (commands_.empty() || commands_.front() != DeviceCommand::Download ||
        FrequencyAwaitsDownload()) {
        commands_.push_back(DeviceCommand::Download);
    }
}

void CommandQueue::RequestFrequency(bool demo) {
    std::lock_guard lock(mutex_);
    // A queued SetFrequency reads the field when it runs: with a Download behind it, the new
    // value is already on its way (typing a number queues one change, not one per key).
    if (std::find(commands_.begin(), commands_.end(), DeviceCommand::SetFrequency) !=
            commands_.end() &&
        !FrequencyAwaitsDownload()) {
        return;
    }
    commands_.push_back(DeviceCommand::SetFrequency);
    QueueDownload(demo);
}

void CommandQueue::CoalesceRemote() {
    std::lock_guard lock(mutex_);
    std::deque<int> kept;
    for (const int code : commands_) {
        const auto same = std::find(kept.rbegin(), kept.rend(), code);
        const auto frequency = std::find(kept.rbegin(), kept.rend(), DeviceCommand::SetFrequency);
        // Reverse iterators: `frequency` before `same` means a frequency command lies between.
        if (same == kept.rend() || (frequency < same && code != DeviceCommand::SetFrequency)) {
            kept.push_back(code);
        }
    }
    commands_.swap(kept);
    if (FrequencyAwaitsDownload()) {
        commands_.push_back(DeviceCommand::Download);  // the new point count needs a fresh buffer
    }
}

void CommandQueue::DropConfiguration() {
    std::lock_guard lock(mutex_);
    // Their fields are stored before they are queued, so the configuration that follows sends
    // what they would; the one Download it requests replaces the queued ones.
    std::erase_if(commands_, [](int code) {
        return code == DeviceCommand::SetFrequency || code == DeviceCommand::SetTrigger ||
               code == DeviceCommand::SetDioMode || code == DeviceCommand::SetSingleWave ||
               code == DeviceCommand::Download;
    });
}

bool CommandQueue::FrequencyAwaitsDownload() const {
    const auto lastFrequency =
        std::find(commands_.rbegin(), commands_.rend(), DeviceCommand::SetFrequency);
    return lastFrequency != commands_.rend() &&
           std::find(commands_.rbegin(), lastFrequency, DeviceCommand::Download) == lastFrequency;
}

}  // namespace korvane
