// Time from undoing a drawn stroke to the simulator receiving the restored table, with the
// channel's worker running as in the program: the history gives the table back, it is written to
// the channel and its download requested, as the device window's Undo does.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "bench/latency_samples.h"
#include "engine/channel_rules.h"
#include "engine/device_session.h"
#include "engine/point_history.h"

namespace korvane {
namespace {

using Clock = std::chrono::steady_clock;

// A stroke across a quarter of the table: what the mouse leaves behind.
PointTable Stroked(PointTable points, float volts) {
    for (std::size_t k = 100; k < 100 + points.size() / 4; ++k) {
        points[k] = volts;
    }
    return points;
}

void BM_UndoOfAStrokeToDownload(benchmark::State& state) {
    ConfiguredChannel configured;
    SimulatedDeviceLibrary& simulator = configured.simulator;
    ChannelState& channel = configured.channel;
    ChangeWaveType(channel, Arbitrary, ArbitraryTable::FromCurrentWave);

    DownloadWatch watch(simulator);
    DeviceSession session(channel);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // start-up queue drained

    PointHistory history;
    std::vector<double> latencies;
    float volts = 1.0f;
    // Requests a download and waits until the simulator has it; the seconds since `start`.
    const auto downloadSince = [&](Clock::time_point start) {
        channel.RequestDownload();
        return watch.SecondsSince(start);
    };
    for (auto _ : state) {
        const PointTable before = ReadPointTable(channel);
        WritePointTable(channel, Stroked(before, volts));
        history.Record(before);
        downloadSince(Clock::now());  // the stroke reaches the device first
        volts = -volts;
        SpreadOverPollCycle(latencies.size());
        const Clock::time_point start = Clock::now();
        WritePointTable(channel, *history.Undo(ReadPointTable(channel)));
        const double seconds = downloadSince(start);
        latencies.push_back(seconds * 1e3);
        state.SetIterationTime(seconds);
    }
    ReportLatencies(state, latencies);
}
BENCHMARK(BM_UndoOfAStrokeToDownload)
    ->UseManualTime()
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
