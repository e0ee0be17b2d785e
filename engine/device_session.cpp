#include "engine/device_session.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "engine/detached_threads.h"

namespace korvane {

namespace {

using Clock = std::chrono::steady_clock;

// The sleep between two cycles. Each worker sleeps on a lock and condition of its own, so the
// workers of different channels never wait for or wake one another; a stop request ends the
// sleep at once.
class CycleSleep {
  public:
    explicit CycleSleep(std::stop_token stop)
        : stop_(stop), onStop_(std::move(stop), Waker{this}) {}

    void For(Clock::duration period) {
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

Clock::duration StepPeriod(const ChannelState& channel) {
    return std::chrono::milliseconds(std::max(1, channel.sweepSpeed.load()));
}

// A sweep still running or not yet restored leaves the device on its normal clock before the
// session ends.
void EndSweep(ChannelState& channel) {
    channel.StopSweep();
    if (channel.sweepRestorePending.exchange(0) == 1 && channel.demo == 0) {
        channel.ConfigureDevice();
        channel.Download();
    }
}

void RunSession(std::stop_token stop, ChannelState& channel) {
    PollCoordinator& coordinator = channel.Coordinator();
    channel.ConfigureDevice();
    CycleSleep sleep(stop);
    // While the Sweep dialog pauses every worker, a channel that sweeps, or must restore its
    // configuration after a sweep, keeps working.
    const auto busy = [&channel] {
        return channel.sweepOn == 1 || channel.sweepRestorePending == 1;
    };
    bool sweeping = false;
    Clock::time_point nextStep;
    while (!stop.stop_requested()) {
        if (channel.sweepOn == 1) {
            Clock::time_point now = Clock::now();
            if (!sweeping) {
                sweeping = true;  // the first step comes one period after the start
                nextStep = now + StepPeriod(channel);
            } else if (now >= nextStep) {
                channel.SweepStep();
                now = Clock::now();
                // A slow device delays the steps; they never come in a burst to catch up.
                nextStep = std::max(nextStep + StepPeriod(channel), now);
            }
            // Short sleeps, so a stop or the end of the sweep is seen within one cycle.
            sleep.For(std::min<Clock::duration>(DeviceSession::kPollPeriod, nextStep - now));
            continue;
        }
        sweeping = false;
        if (!coordinator.Paused() || busy()) {
            channel.Poll();
        }
        sleep.For(DeviceSession::kPollPeriod);
        coordinator.WaitWhilePaused(stop, busy);
    }
    EndSweep(channel);
    channel.ApplyPowerOnOutput();
}

}  // namespace

DeviceSession::DeviceSession(std::shared_ptr<ChannelState> channel)
    : channel_(std::move(channel)),
      ended_(std::make_shared<std::atomic<bool>>(false)),
      thread_([keep = channel_, ended = ended_](std::stop_token stop) {
          RunSession(std::move(stop), *keep);
          *ended = true;
      }) {}

DeviceSession::DeviceSession(ChannelState& channel)
    : DeviceSession(std::shared_ptr<ChannelState>(&channel, [](ChannelState*) {})) {}

DeviceSession::~DeviceSession() {
    RequestStop();
}

void DeviceSession::RequestStop() {
    thread_.request_stop();
}

void DeviceSession::Detach() {
    if (!thread_.joinable()) {
        return;
    }
    thread_.request_stop();
    KeepDetached(std::move(thread_), ended_);
}

}  // namespace korvane
