#pragma once

#include <chrono>
#include <thread>

#include "engine/channel_state.h"

namespace korvane {

// Runs the channel's Poll every 20 ms on its own thread. Destruction stops it cooperatively:
// the current cycle (and so any library call in it) always completes first.
class ChannelWorker {
  public:
    static constexpr std::chrono::milliseconds kPollPeriod{20};

    explicit ChannelWorker(ChannelState& channel);
    ~ChannelWorker();
    ChannelWorker(const ChannelWorker&) = delete;
    ChannelWorker& operator=(const ChannelWorker&) = delete;

    void Stop();

  private:
    std::jthread thread_;
};

}  // namespace korvane
