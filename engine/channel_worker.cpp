#include "engine/channel_worker.h"

namespace korvane {

ChannelWorker::ChannelWorker(ChannelState& channel)
    : thread_([&channel](std::stop_token stop) {
          PollCoordinator& coordinator = channel.Coordinator();
          while (!stop.stop_requested()) {
              if (!coordinator.Paused()) {
                  channel.Poll();
              }
              coordinator.WaitForNextCycle(stop, kPollPeriod);
          }
      }) {}

ChannelWorker::~ChannelWorker() {
    Stop();
}

void ChannelWorker::Stop() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

}  // namespace korvane
