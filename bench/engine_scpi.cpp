// Remote control over one loopback connection: commands per second, and the time from a
// frequency command leaving the client to the simulator receiving DDSSetFrequency.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/latency_samples.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/device_session.h"
#include "remote/served_devices.h"

namespace korvane::scpi {
namespace {

using Clock = std::chrono::steady_clock;

class Connection {
  public:
    explicit Connection(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        const int yes = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    }
    ~Connection() { ::close(fd_); }

    void Send(const std::string& text) {
        for (std::size_t done = 0; done < text.size();) {
            ssize_t sent = ::send(fd_, text.data() + done, text.size() - done, MSG_NOSIGNAL);
            if (sent <= 0) {
                return;
            }
            done += static_cast<std::size_t>(sent);
        }
    }

    // Reads until `count` answer lines have arrived.
    void ReadLines(int count) {
        while (count > 0) {
            char chunk[8192];
            ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
            if (got <= 0) {
                return;
            }
            count -= static_cast<int>(std::count(chunk, chunk + got, '\n'));
        }
    }

  private:
    int fd_;
};

// One query, one answer, one after the other.
void BM_ScpiQueryRoundTrip(benchmark::State& state) {
    SimulatedDeviceLibrary simulator(1);
    ServedDevices served(simulator, {"127.0.0.1", 0});
    served.Start();
    Connection client(served.Port());
    for (auto _ : state) {
        client.Send("FREQ?\n");
        client.ReadLines(1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScpiQueryRoundTrip)->UseRealTime();

// Lines sent back to back: 100 queries (or settings with a query at the end) per batch.
void BM_ScpiPipelined(benchmark::State& state, const std::string& line, bool everyLineAnswers) {
    SimulatedDeviceLibrary simulator(0);  // a demo channel: settings never wait for a device
    ServedDevices served(simulator, {"127.0.0.1", 0});
    served.Start();
    Connection client(served.Port());
    constexpr int kBatch = 100;
    std::string batch;
    for (int i = 0; i < kBatch; ++i) {
        batch += line;
    }
    if (!everyLineAnswers) {
        batch += "*OPC?\n";
    }
    for (auto _ : state) {
        client.Send(batch);
        client.ReadLines(everyLineAnswers ? kBatch : 1);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK_CAPTURE(BM_ScpiPipelined, queries, std::string("FREQ?\n"), true)->UseRealTime();
BENCHMARK_CAPTURE(BM_ScpiPipelined, settings, std::string("VOLT:OFFS 0.5\n"), false)->UseRealTime();

// From "FREQ 2000" leaving the client to DDSSetFrequency with 2000 Hz reaching the simulator,
// with the channel's worker running as in the program.
void BM_ScpiFrequencyLatency(benchmark::State& state) {
    SimulatedDeviceLibrary simulator(1);
    std::mutex mutex;
    std::condition_variable arrived;
    double lastFrequency = 0.0;
    Clock::time_point lastCall{};
    simulator.SetCallObserver([&](const SimulatedDeviceLibrary::Call& call) {
        if (call.name == "DDSSetFrequency") {
            std::lock_guard lock(mutex);
            lastFrequency = call.value;
            lastCall = call.when;
            arrived.notify_all();
        }
    });
    ServedDevices served(simulator, {"127.0.0.1", 0});
    served.Start();
    Connection client(served.Port());
    client.Send("*OPC?\n");
    client.ReadLines(1);  // the start-up configuration has been sent

    std::vector<double> latencies;
    double frequency = 1000.0;
    for (auto _ : state) {
        frequency = frequency == 1000.0 ? 2000.0 : 1000.0;
        SpreadOverPollCycle(latencies.size());
        const Clock::time_point start = Clock::now();
        client.Send("FREQ " + std::to_string(static_cast<int>(frequency)) + "\n");
        std::unique_lock lock(mutex);
        arrived.wait(lock, [&] { return lastFrequency == frequency && lastCall > start; });
        const std::chrono::duration<double> elapsed = lastCall - start;
        latencies.push_back(elapsed.count() * 1e3);
        state.SetIterationTime(elapsed.count());
    }
    simulator.SetCallObserver(nullptr);
    ReportLatencies(state, latencies);
}
BENCHMARK(BM_ScpiFrequencyLatency)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

// A burst of 200 "FREQ" writes to a connected generator whose worker runs as in the program:
// writes accepted per second (until the query sent behind them is answered), and how many worker
// cycles (each starts with DDSCheck) begin after that before the device's DDSSetFrequency
// carries the last written value.
void BM_ScpiFrequencyBurst(benchmark::State& state) {
    SimulatedDeviceLibrary simulator(1);
    std::mutex mutex;
    std::condition_variable arrived;
    double lastFrequency = 0.0;
    long cycles = 0;
    long cyclesAtFrequency = 0;
    simulator.SetCallObserver([&](const SimulatedDeviceLibrary::Call& call) {
        std::lock_guard lock(mutex);
        if (call.name == "DDSCheck") {
            ++cycles;
        } else if (call.name == "DDSSetFrequency") {
            lastFrequency = call.value;
            cyclesAtFrequency = cycles;
            arrived.notify_all();
        }
    });
    ServedDevices served(simulator, {"127.0.0.1", 0});
    served.Start();
    Connection client(served.Port());
    client.Send("*OPC?\n");
    client.ReadLines(1);

    constexpr int kWrites = 200;
    int burst = 0;
    int withinTwoCycles = 0;
    long worstCycles = 0;
    for (auto _ : state) {
        std::string writes;
        double last = 0.0;
        for (int i = 0; i < kWrites; ++i) {
            last = 1000.0 + burst * kWrites + i + 1;  // every write a new value
            writes += "FREQ " + std::to_string(static_cast<int>(last)) + "\n";
        }
        ++burst;
        SpreadOverPollCycle(static_cast<std::size_t>(burst));
        const Clock::time_point start = Clock::now();
        client.Send(writes + "FREQ?\n");
        client.ReadLines(1);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        std::unique_lock lock(mutex);
        const long cyclesAtAnswer = cycles;
        arrived.wait_for(lock, std::chrono::seconds(5), [&] { return lastFrequency == last; });
        const long taken = cyclesAtFrequency - cyclesAtAnswer;
        worstCycles = std::max(worstCycles, taken);
        withinTwoCycles += lastFrequency == last && taken <= 2 ? 1 : 0;
    }
    simulator.SetCallObserver(nullptr);
    state.SetItemsProcessed(state.iterations() * kWrites);
    state.counters["within_2_cycles"] =
        static_cast<double>(withinTwoCycles) / static_cast<double>(std::max(1, burst));
    state.counters["worst_cycles"] = static_cast<double>(worstCycles);
}
BENCHMARK(BM_ScpiFrequencyBurst)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane::scpi
