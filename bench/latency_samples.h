#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"

namespace korvane {

// One simulated generator claimed by a channel, as the program opens it; the channel's
// DeviceSession configures it.
struct ConfiguredChannel {
    SimulatedDeviceLibrary simulator{1};
    ChannelState channel{simulator};

    ConfiguredChannel() {
        channel.demo = 0;
        channel.deviceIndex = 0;
    }
};

// Watches the simulator for downloads (its observer runs on the channel's worker).
class DownloadWatch {
  public:
    using Clock = std::chrono::steady_clock;

    explicit DownloadWatch(SimulatedDeviceLibrary& simulator) : simulator_(simulator) {
        simulator_.SetCallObserver([this](const SimulatedDeviceLibrary::Call& call) {
            if (call.name == "DDSDownload") {
                std::lock_guard lock(mutex_);
                lastDownload_ = call.when;
                arrived_.notify_all();
            }
        });
    }
    ~DownloadWatch() { simulator_.SetCallObserver(nullptr); }
    DownloadWatch(const DownloadWatch&) = delete;
    DownloadWatch& operator=(const DownloadWatch&) = delete;

    // Waits for a download after `start`; the seconds from `start` to it.
    double SecondsSince(Clock::time_point start) {
        std::unique_lock lock(mutex_);
        arrived_.wait(lock, [&] { return lastDownload_ > start; });
        return std::chrono::duration<double>(lastDownload_ - start).count();
    }

  private:
    SimulatedDeviceLibrary& simulator_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    Clock::time_point lastDownload_{};
};

// Waits so that sample k starts at another point of the worker's 20 ms cycle: a change can
// arrive at any moment of it.
inline void SpreadOverPollCycle(std::size_t k) {
    std::this_thread::sleep_for(std::chrono::milliseconds(k * 7 % 20));
}

// Reports the median and the worst of the measured latencies (milliseconds).
inline void ReportLatencies(benchmark::State& state, std::vector<double>& latencies) {
    if (latencies.empty()) {
        return;
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["worst_ms"] = latencies.back();
}

}  // namespace korvane
