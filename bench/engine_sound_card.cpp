// CPU share of the sound card's two outputs at 192 kHz: the process's CPU time per second of
// sound played. Flat out into ALSA's null PCM, which takes frames as fast as they come (the cost
// of the sound alone), and paced by a PulseAudio null sink at 192 kHz of the benchmark's own (the
// cost as the program runs, with a wake-up per period and the client's hand-over to the server).
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "engine/device_library/library_factory.h"
#include "engine/device_library/sound_card_alsa_output.h"
#include "engine/device_library/sound_card_device_library.h"
#include "tests/support/private_pulse_server.h"
#include "tests/support/sine_and_square.h"
#include "tests/support/temp_folder.h"

namespace korvane {
namespace {

constexpr unsigned kRate = 192000;

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

void BM_SoundCardTwoOutputs192k(benchmark::State& state) {
    const bool paced = state.range(0) == 1;
    if (paced && !test::PrivatePulseServer::Installed()) {
        state.SkipWithError("pulseaudio is not installed");
        return;
    }
    const testing::TempFolder folder;
    std::optional<test::PrivatePulseServer> server;
    if (paced) {
        server.emplace(folder.path(), kRate);
        if (!server->Ready()) {
            state.SkipWithError("the private PulseAudio server did not start");
            return;
        }
    }
    const std::string pcm = paced ? "default" : "null";
    SoundCardDeviceLibrary library(
        std::make_unique<AlsaOutput>(pcm, kRate, AudioSettings::kDefaultLatencyMs), pcm);
    if (library.Rate() != kRate || library.DDSCheck(0) == 0) {
        state.SkipWithError("the PCM does not play at 192 kHz");
        return;
    }
    const test::SineAndSquare outputs(library);
    // A sound server takes a while to accept a new stream; the share is measured once it plays.
    const auto playing = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (library.FramesWritten() < kRate / 2 && std::chrono::steady_clock::now() < playing) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    double cpu = 0.0;
    double sound = 0.0;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        const std::uint64_t framesStart = library.FramesWritten();
        while (library.FramesWritten() < framesStart + kRate) {  // one second of sound
            std::this_thread::sleep_for(std::chrono::milliseconds(paced ? 50 : 1));
        }
        cpu += ProcessCpuSeconds() - cpuStart;
        sound += static_cast<double>(library.FramesWritten() - framesStart) / kRate;
    }
    state.counters["core_percent"] = 100.0 * cpu / sound;
    state.counters["underruns"] = static_cast<double>(library.Underruns());
}
BENCHMARK(BM_SoundCardTwoOutputs192k)
    ->ArgName("paced_by_pulseaudio")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
