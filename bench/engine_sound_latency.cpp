// Time from a panel change to the changed sound at the audio server: the sound card plays
// through a PulseAudio server of the benchmark's own into a null sink, and parec hands the
// sink's monitor to a thread that stamps each block of frames as it arrives. The change is an
// amplitude step from 0.1 V to 3 V of a 1 kHz sine, made on the channel the way the panel makes
// it, with the channel's worker running as in the program; the latency ends when the first
// frame above a third of full scale arrives. parec's own block (5 ms) is included, so the
// figure is an upper bound of the time to the sink.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "bench/latency_samples.h"
#include "engine/channel_state.h"
#include "engine/device_library/library_factory.h"
#include "engine/device_library/sound_card_alsa_output.h"
#include "engine/device_library/sound_card_device_library.h"
#include "engine/device_session.h"
#include "tests/support/private_pulse_server.h"
#include "tests/support/temp_folder.h"

namespace korvane {
namespace {

using Clock = std::chrono::steady_clock;
constexpr float kQuietVolts = 0.1f;
constexpr float kLoudVolts = 3.0f;
constexpr float kHeardLevel = 1.0f / 3.0f;  // of full scale (3.5 V)

// Reads the recorder's frames and notes when the first loud one arrives after Arm().
class LoudnessWatch {
  public:
    explicit LoudnessWatch(int pipe) : pipe_(pipe), reader_([this] { Read(); }) {}
    ~LoudnessWatch() {
        stop_ = true;
        reader_.join();
    }
    LoudnessWatch(const LoudnessWatch&) = delete;
    LoudnessWatch& operator=(const LoudnessWatch&) = delete;

    void Arm() {
        std::lock_guard lock(mutex_);
        heard_.reset();
        armed_ = true;
    }
    // Waits until parec has handed on a quarter of a second of sound (it needs a while to start).
    bool WaitStarted() {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(10), [&] {
            return framesSeen_ >= test::PrivatePulseServer::kRate / 4;
        });
    }
    // When the loud frame arrived, if it did within two seconds.
    std::optional<Clock::time_point> WaitHeard() {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, std::chrono::seconds(2), [&] { return heard_.has_value(); });
        return heard_;
    }

  private:
    void Read() {
        std::vector<float> block(2048);
        while (!stop_) {
            const ssize_t got = read(pipe_, block.data(), block.size() * sizeof(float));
            if (got <= 0) {
                return;
            }
            const Clock::time_point now = Clock::now();
            const std::size_t samples = static_cast<std::size_t>(got) / sizeof(float);
            std::lock_guard lock(mutex_);
            framesSeen_ += samples / 2;
            arrived_.notify_all();
            for (std::size_t i = 0; armed_ && i < samples; i += 2) {  // the left output
                if (std::fabs(block[i]) > kHeardLevel) {
                    heard_ = now;
                    armed_ = false;
                    arrived_.notify_all();
                }
            }
        }
    }

    int pipe_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable arrived_;
    bool armed_ = false;
    std::size_t framesSeen_ = 0;
    std::optional<Clock::time_point> heard_;
    std::thread reader_;
};

void BM_PanelChangeToSound(benchmark::State& state) {
    if (!test::PrivatePulseServer::Installed()) {
        state.SkipWithError("pulseaudio or parec is not installed");
        return;
    }
    const testing::TempFolder folder;
    test::PrivatePulseServer server(folder.path());
    if (!server.Ready()) {
        state.SkipWithError("the private PulseAudio server did not start");
        return;
    }
    // The program's default rate; the output buffer's length is the argument.
    SoundCardDeviceLibrary library(
        std::make_unique<AlsaOutput>("default", AudioSettings::kDefaultRate,
                                     static_cast<unsigned>(state.range(0))),
        "default");
    ChannelState channel(library);
    channel.demo = 0;
    channel.deviceIndex = 0;
    DeviceSession session(channel);
    channel.SetAmplitude(kQuietVolts);
    channel.RequestDownload();
    while (!channel.QueuedCommands().empty()) {  // the device's configuration sent
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    test::BackgroundProgram recorder(test::PrivatePulseServer::RecorderCommand(5),
                                     test::BackgroundProgram::PipedOutput{});
    std::vector<double> latencies;
    {
        LoudnessWatch watch(recorder.OutputPipe());
        if (!watch.WaitStarted()) {
            state.SkipWithError("parec recorded nothing");
            return;
        }
        for (auto _ : state) {
            channel.SetAmplitude(kQuietVolts);
            channel.RequestDownload();
            // Long enough for the quiet wave to fill the output's buffer and the server's.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            SpreadOverPollCycle(latencies.size());
            watch.Arm();
            const Clock::time_point start = Clock::now();
            channel.SetAmplitude(kLoudVolts);
            channel.RequestDownload();
            const std::optional<Clock::time_point> heard = watch.WaitHeard();
            if (!heard) {
                state.SkipWithError("the change was not heard within two seconds");
                break;
            }
            const double seconds = std::chrono::duration<double>(*heard - start).count();
            latencies.push_back(seconds * 1e3);
            state.SetIterationTime(seconds);
        }
    }  // the watch's reader ends with parec's next block, before parec is stopped
    state.counters["underruns"] = static_cast<double>(library.Underruns());
    ReportLatencies(state, latencies);
}
BENCHMARK(BM_PanelChangeToSound)
    ->ArgName("latency_ms")
    ->Arg(50)
    ->Arg(AudioSettings::kDefaultLatencyMs)
    ->Arg(20)
    ->Arg(10)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
