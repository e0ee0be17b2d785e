// CPU share of the sound card's two outputs at 192 kHz. The null PCM takes frames as fast as they
// come, so the audio thread runs flat out; the process's CPU time per second of sound played is
// the share of one core the outputs need when the audio server paces them.
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <thread>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/device_library/sound_card_alsa_output.h"
#include "engine/device_library/sound_card_device_library.h"

namespace korvane {
namespace {

constexpr unsigned kRate = 192000;

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

void BM_SoundCardTwoOutputs192k(benchmark::State& state) {
    SoundCardDeviceLibrary library(std::make_unique<AlsaOutput>("null", kRate, 50), "null");
    if (library.Rate() != kRate || library.DDSCheck(0) == 0) {
        state.SkipWithError("the null PCM does not play at 192 kHz");
        return;
    }
    PollCoordinator coordinator;
    ChannelState left(library, coordinator);
    ChannelState right(library, coordinator);
    for (ChannelState* channel : {&left, &right}) {
        channel->demo = 0;
        channel->deviceIndex = channel == &left ? 0 : 1;
        channel->ConfigureDevice();
    }
    ChangeWaveType(right, Square, ArbitraryTable::Keep);
    right.SetFrequency(5000.0);
    for (int cycle = 0; cycle < 20; ++cycle) {
        left.Poll();
        right.Poll();
    }
    double cpu = 0.0;
    double sound = 0.0;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        const std::uint64_t framesStart = library.FramesWritten();
        while (library.FramesWritten() < framesStart + kRate) {  // one second of sound
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        cpu += ProcessCpuSeconds() - cpuStart;
        sound += static_cast<double>(library.FramesWritten() - framesStart) / kRate;
    }
    state.counters["core_percent"] = 100.0 * cpu / sound;
}
BENCHMARK(BM_SoundCardTwoOutputs192k)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
