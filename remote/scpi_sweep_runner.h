#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace korvane {
class ChannelState;
}

namespace korvane::scpi {

// Steps one channel's sweep on its own thread, one divider step every `sweepSpeed` ms, as the
// Sweep dialog's timer does. Only that channel stops polling (its `sweepOn` is set by the
// caller); the other channels keep running, so a remote sweep on one generator never freezes
// the others. Destruction stops the thread after the step in progress.
class SweepRunner {
  public:
    explicit SweepRunner(ChannelState& channel);
    ~SweepRunner();
    SweepRunner(const SweepRunner&) = delete;
    SweepRunner& operator=(const SweepRunner&) = delete;

  private:
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::jthread thread_;
};

}  // namespace korvane::scpi
