#include "remote/scpi_sweep_runner.h"

#include <algorithm>
#include <chrono>

#include "engine/channel_state.h"

namespace korvane::scpi {

SweepRunner::SweepRunner(ChannelState& channel)
    : thread_([this, &channel](std::stop_token stop) {
          while (true) {
              const std::chrono::milliseconds period(std::max(1, channel.sweepSpeed.load()));
              {
                  std::unique_lock lock(mutex_);
                  if (wake_.wait_for(lock, stop, period,
                                     [&stop] { return stop.stop_requested(); })) {
                      return;
                  }
              }
              channel.SweepStep();
          }
      }) {}

SweepRunner::~SweepRunner() {
    thread_.request_stop();
    thread_.join();
}

}  // namespace korvane::scpi
