#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
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
