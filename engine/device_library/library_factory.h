#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/device_library/device_library.h"

namespace korvane {

// The sound card a library is made for.
struct AudioSettings {
    static constexpr unsigned kDefaultRate = 48000;
    // Short enough that a change is heard within 50 ms, long enough not to run dry while the
    // windows repaint on a busy computer.
    static constexpr unsigned kDefaultLatencyMs = 30;
    static constexpr unsigned kMinRate = 8000;
    static constexpr unsigned kMaxRate = 768000;
    static constexpr unsigned kMinLatencyMs = 5;
    static constexpr unsigned kMaxLatencyMs = 2000;

    std::string pcm;                         // an ALSA PCM name: "default", "hw:1,0"
    unsigned rate = kDefaultRate;            // asked for; the PCM may offer the nearest it has
    unsigned latencyMs = kDefaultLatencyMs;  // the output buffer's length
};

// The sound card the environment names (KVDDS_AUDIO, KVDDS_AUDIO_RATE, KVDDS_AUDIO_LATENCY);
// none when KVDDS_AUDIO is unset or empty. A rate or latency that is not a number in range is
// reported on stderr and replaced by the default.
std::optional<AudioSettings> AudioSettingsFromEnvironment();

// What the environment sets in place of the sound card the program is configured with, each as
// NAME=VALUE: KVDDS_AUDIO, then KVDDS_AUDIO_RATE and KVDDS_AUDIO_LATENCY when they are set too.
// None while KVDDS_AUDIO is unset or empty, for then the rate and latency alone change nothing.
std::vector<std::string> AudioEnvironmentOverrides();

// The card's two outputs as devices 0 (left) and 1 (right). A PCM that cannot be opened now is
// reported on stderr; its devices stay missing until it can.
std::unique_ptr<DeviceLibrary> CreateSoundCardLibrary(const AudioSettings& settings);

// The library the program talks to, chosen by the environment:
//   KVDDS_LIBRARY            a driver shared object to load (otherwise the simulator)
//   KVDDS_SIMULATED_DEVICES  how many generators the simulator offers (default 1; 0: none)
//   KVDDS_AUDIO              an ALSA PCM whose left and right outputs become two generators, in
//                            place of the simulator, or after the driver's devices
//   KVDDS_AUDIO_RATE         the sound card's sample rate (default 48000)
//   KVDDS_AUDIO_LATENCY      the sound card's buffer in milliseconds (default 50)
//   KVDDS_TRACE              a file that receives one line per library call
// Without KVDDS_AUDIO the sound card is `configured` (the program's own settings), if any: the
// environment wins over them.
// A driver that cannot be loaded is reported once on stderr; the program then has no hardware.
std::unique_ptr<DeviceLibrary> CreateDeviceLibraryFromEnvironment(
    const std::optional<AudioSettings>& configured = std::nullopt);

}  // namespace korvane
