// Time from the keys of a typed number (one frequency change per key, 12 ms apart) to the
// simulator receiving the download built for the finished number, with the worker running.
#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "bench/latency_samples.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/device_session.h"

namespace korvane {
namespace {

using Clock = std::chrono::steady_clock;

void BM_TypedNumberToDownload(benchmark::State& state) {
    ConfiguredChannel configured;
    SimulatedDeviceLibrary& simulator = configured.simulator;
    ChannelState& channel = configured.channel;

    std::mutex mutex;
    std::condition_variable arrived;
    double target = 0.0;
    bool targetSet = false;  // the finished number has reached the device
    Clock::time_point download{};
    int setFrequencyCalls = 0;
    simulator.SetCallObserver([&](const SimulatedDeviceLibrary::Call& call) {
        std::lock_guard lock(mutex);
        if (call.name == "DDSSetFrequency") {
            ++setFrequencyCalls;
            targetSet = call.value == target;
        } else if (call.name == "DDSDownload" && targetSet) {
            download = call.when;
            arrived.notify_all();
        }
    });
    DeviceSession session(channel);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // start-up queue drained

    std::vector<double> fromFirstKey;
    std::vector<double> fromLastKey;
    const std::string numbers[] = {"31000", "2500"};
    for (auto _ : state) {
        const std::string& number = numbers[fromFirstKey.size() % 2];
        SpreadOverPollCycle(fromFirstKey.size());
        {
            std::lock_guard lock(mutex);
            target = std::stod(number);
            targetSet = false;
            download = {};
        }
        const Clock::time_point first = Clock::now();
        Clock::time_point last = first;
        for (std::size_t keys = 1; keys <= number.size(); ++keys) {
            if (keys > 1) {
                std::this_thread::sleep_for(std::chrono::milliseconds(12));
            }
            last = Clock::now();
            channel.SetFrequency(std::stod(number.substr(0, keys)));
        }
        std::unique_lock lock(mutex);
        arrived.wait(lock, [&] { return download > last; });
        const std::chrono::duration<double> elapsed = download - first;
        fromFirstKey.push_back(elapsed.count() * 1e3);
        fromLastKey.push_back(std::chrono::duration<double, std::milli>(download - last).count());
        state.SetIterationTime(elapsed.count());
    }
    simulator.SetCallObserver(nullptr);
    state.counters["set_frequency_per_number"] =
        static_cast<double>(setFrequencyCalls) / static_cast<double>(fromFirstKey.size());
    ReportLatencies(state, fromLastKey);
    state.counters["last_key_median_ms"] = state.counters["median_ms"];
    state.counters["last_key_worst_ms"] = state.counters["worst_ms"];
    ReportLatencies(state, fromFirstKey);
}
BENCHMARK(BM_TypedNumberToDownload)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
