#include "engine/channel_worker.h"

#include <condition_variable>
#include <mutex>

namespace korvane {

namespace {

// The sleep between two cycles. Each worker sleeps on a lock and condition of its own, so the
// workers of different channels never wait for or wake one another; a stop request ends the
// sleep at once.
class CycleSleep {
  public:
    explicit CycleSleep(std::stop_token stop)
        : stop_(stop), onStop_(std::move(stop), Waker{this}) {}

    void For(std::chrono::milliseconds period) {
        std::unique_lock lock(mutex_);
        wake_.wait_for(lock, period, [this] { return stop_.stop_requested(); });
    }

  private:
    struct Waker {
        CycleSleep* sleep;
        void operator()() const {
            // Taking the lock first means a sleeper that has just checked for the stop is
            // already waiting when the notification comes.
            { std::lock_guard lock(sleep->mutex_); }
            sleep->wake_.notify_all();
        }
    };

    std::stop_token stop_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::stop_callback<Waker> onStop_;  // last: it may run as soon as it is constructed
};

}  // namespace

ChannelWorker::ChannelWorker(ChannelState& channel)
    : thread_([&channel](std::stop_token stop) {
          PollCoordinator& coordinator = channel.Coordinator();
          CycleSleep sleep(stop);
          while (!stop.stop_requested()) {
              if (!coordinator.Paused()) {
                  channel.Poll();
              }
              sleep.For(kPollPeriod);
              coordinator.WaitWhilePaused(stop);
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
