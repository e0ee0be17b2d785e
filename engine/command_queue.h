#pragma once

#include <deque>
#include <initializer_list>
#include <mutex>
#include <vector>

namespace korvane {

// A channel's queue of device commands (DeviceCommand codes), guarded by its own lock. The
// worker sends each command with the channel's newest fields, so the rules below keep the queue
// short without losing a change.
class CommandQueue {
  public:
    explicit CommandQueue(std::initializer_list<int> initial) : commands_(initial) {}

    void Push(int code);
    int Pop();  // 0 when the queue is empty
    std::vector<int> Commands() const;

    // Appends Download unless the queue's head already is one and no SetFrequency queued behind
    // it still waits for a Download of its new points. `demo`: the queue is never consumed, so
    // one pending download is enough.
    void RequestDownload(bool demo);
    // A SetFrequency and the Download of its new points, unless a queued SetFrequency that
    // already has a Download behind it will send the new value.
    void RequestFrequency(bool demo);
    // See ChannelState::CoalesceRemoteCommands.
    void CoalesceRemote();
    // Drops the configuration commands and downloads a full configuration makes redundant.
    void DropConfiguration();

  private:
    // Whether the queue's last SetFrequency has no Download after it; the lock is held.
    bool FrequencyAwaitsDownload() const;
    // RequestDownload's rule; the lock is held.
    void QueueDownload(bool demo);

    mutable std::mutex mutex_;
    std::deque<int> commands_;
};

}  // namespace korvane
