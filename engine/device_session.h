#pragma once

#include <chrono>
#include <memory>
#include <thread>

#include "engine/channel_state.h"

namespace korvane {

// The life of one channel's device, on a worker thread of its own: the first configuration,
// then a cycle every 20 ms (the channel's Poll: queued commands, readings, the reconnection
// after a replug), the divider steps while the channel sweeps (each step checks the device too)
// and, when the session ends, the power-on output as the last call. Every device call of the
// channel runs on this worker, so neither the GUI thread nor a SCPI client waits for one.
//
// Stopping is cooperative: the call in progress always completes first.
class DeviceSession {
  public:
    static constexpr std::chrono::milliseconds kPollPeriod{20};

    // The session keeps the channel alive until its worker has ended.
    explicit DeviceSession(std::shared_ptr<ChannelState> channel);
    // For a channel its owner keeps alive until the session is destroyed; such a session must
    // not be detached.
    explicit DeviceSession(ChannelState& channel);
    // Stops the worker and waits for it (its current call and the power-on output).
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    ChannelState& Channel() const { return *channel_; }
    // Asks the worker to end, without waiting.
    void RequestStop();
    // Ends the session without waiting for the device: the worker finishes on its own and is
    // joined by JoinDetachedThreads (detached_threads.h).
    void Detach();

  private:
    std::shared_ptr<ChannelState> channel_;
    std::shared_ptr<std::atomic<bool>> ended_;
    std::jthread thread_;
};

}  // namespace korvane
