#include "engine/device_library/library_factory.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/device_library/composite_device_library.h"
#include "engine/device_library/shared_object_device_library.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/device_library/sound_card_alsa_output.h"
#include "engine/device_library/sound_card_device_library.h"
#include "engine/device_library/tracing_device_library.h"

namespace korvane {
namespace {

constexpr int kMaxSimulatedDevices = 64;

// The whole-number value of environment variable `name` within low..high; `fallback` when it
// is unset, and (with a message) when it is not such a number.
long EnvironmentNumber(const char* name, long low, long high, long fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text) {
        return fallback;
    }
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < low || value > high) {
        std::fprintf(stderr, "%s=%s is not a number from %ld to %ld; using %ld\n", name, text, low,
                     high, fallback);
        return fallback;
    }
    return value;
}

std::unique_ptr<DeviceLibrary> LoadDriver(const char* path) {
    auto loaded = std::make_unique<SharedObjectDeviceLibrary>(path);
    if (!loaded->Loaded()) {
        std::fprintf(stderr, "%s; running without hardware\n", loaded->ErrorText().c_str());
    }
    return loaded;
}

}  // namespace

std::optional<AudioSettings> AudioSettingsFromEnvironment() {
    const char* pcm = std::getenv("KVDDS_AUDIO");
    if (!pcm || !*pcm) {
        return std::nullopt;
    }
    AudioSettings settings;
    settings.pcm = pcm;
    settings.rate = static_cast<unsigned>(
        EnvironmentNumber("KVDDS_AUDIO_RATE", AudioSettings::kMinRate, AudioSettings::kMaxRate,
                          AudioSettings::kDefaultRate));
    settings.latencyMs = static_cast<unsigned>(
        EnvironmentNumber("KVDDS_AUDIO_LATENCY", AudioSettings::kMinLatencyMs,
                          AudioSettings::kMaxLatencyMs, AudioSettings::kDefaultLatencyMs));
    return settings;
}

std::vector<std::string> AudioEnvironmentOverrides() {
    std::vector<std::string> overrides;
    for (const char* name : {"KVDDS_AUDIO", "KVDDS_AUDIO_RATE", "KVDDS_AUDIO_LATENCY"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            overrides.push_back(std::string(name) + "=" + value);
        } else if (overrides.empty()) {
            break;  // no KVDDS_AUDIO: nothing is overridden
        }
    }
    return overrides;
}

std::unique_ptr<DeviceLibrary> CreateSoundCardLibrary(const AudioSettings& settings) {
    auto library = std::make_unique<SoundCardDeviceLibrary>(
        std::make_unique<AlsaOutput>(settings.pcm, settings.rate, settings.latencyMs),
        settings.pcm);
    const std::string error = library->OpenError();
    if (!error.empty()) {
        std::fprintf(stderr, "%s; the sound card outputs wait for it\n", error.c_str());
    }
    return library;
}

std::unique_ptr<DeviceLibrary> CreateDeviceLibraryFromEnvironment(
    const std::optional<AudioSettings>& configured) {
    std::unique_ptr<DeviceLibrary> library;
    const char* driver = std::getenv("KVDDS_LIBRARY");
    std::optional<AudioSettings> audio = AudioSettingsFromEnvironment();
    if (!audio) {
        audio = configured;
    }
    if (driver && *driver && audio) {
        std::vector<std::unique_ptr<DeviceLibrary>> parts;
        parts.push_back(LoadDriver(driver));
        parts.push_back(CreateSoundCardLibrary(*audio));
        library = std::make_unique<CompositeDeviceLibrary>(std::move(parts));
    } else if (driver && *driver) {
        library = LoadDriver(driver);
    } else if (audio) {
        library = CreateSoundCardLibrary(*audio);
    } else {
        library = std::make_unique<SimulatedDeviceLibrary>(static_cast<int>(
            EnvironmentNumber("KVDDS_SIMULATED_DEVICES", 0, kMaxSimulatedDevices, 1)));
    }
    const char* trace = std::getenv("KVDDS_TRACE");
    if (trace && *trace) {
        auto tracing = std::make_unique<TracingDeviceLibrary>(std::move(library), trace);
        if (!tracing->Open()) {
            std::fprintf(stderr, "cannot open the trace file %s\n", trace);
        }
        library = std::move(tracing);
    }
    return library;
}

}  // namespace korvane
