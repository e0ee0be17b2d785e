// Time from a setter called on the GUI side to the simulator receiving the resulting download,
// with the channel's worker running as in the program.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/latency_samples.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/device_session.h"

namespace korvane {
namespace {

using Clock = std::chrono::steady_clock;

void BM_SetterToDownloadLatency(benchmark::State& state) {
    ConfiguredChannel configured;
    SimulatedDeviceLibrary& simulator = configured.simulator;
    ChannelState& channel = configured.channel;

    DownloadWatch watch(simulator);
    DeviceSession session(channel);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // start-up queue drained

    std::vector<double> latencies;
    double frequency = 1000.0;
    for (auto _ : state) {
        frequency = frequency == 1000.0 ? 2000.0 : 1000.0;
        SpreadOverPollCycle(latencies.size());
        Clock::time_point start = Clock::now();
        channel.SetFrequency(frequency);
        const double seconds = watch.SecondsSince(start);
        latencies.push_back(seconds * 1e3);
        state.SetIterationTime(seconds);
    }
    ReportLatencies(state, latencies);
}
BENCHMARK(BM_SetterToDownloadLatency)
    ->UseManualTime()
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
