#include "shell/sound_card_config.h"

#include <charconv>
#include <string>
#include <utility>

#include <QString>

#include "platform/ini_file.h"
#include "shell/app_config.h"
#include "shell/runtime_paths.h"

namespace korvane {
namespace {

constexpr const char* kSection = "SoundCard";

// The key's whole-number value within low..high; `fallback` when it is missing or not such a
// number.
unsigned ReadNumber(const IniFile& config, const char* key, unsigned low, unsigned high,
                    unsigned fallback) {
    const std::string text = config.ReadString(kSection, key);
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low ||
        value > high) {
        return fallback;
    }
    return value;
}

}  // namespace

std::optional<AudioSettings> ReadSoundCardSettings(const IniFile& config) {
    const std::string pcm = config.ReadString(kSection, "Pcm");
    if (pcm.empty() || pcm == IniFile::kMissingValue) {
        return std::nullopt;
    }
    AudioSettings settings;
    settings.pcm = pcm;
    settings.rate = ReadNumber(config, "Rate", AudioSettings::kMinRate, AudioSettings::kMaxRate,
                               AudioSettings::kDefaultRate);
    settings.latencyMs = ReadNumber(config, "Latency", AudioSettings::kMinLatencyMs,
                                    AudioSettings::kMaxLatencyMs, AudioSettings::kDefaultLatencyMs);
    return settings;
}

std::optional<AudioSettings> ConfiguredSoundCard(const RuntimePaths& paths) {
    return ReadSoundCardSettings(
        IniFile(paths.ReadPath(QString::fromLatin1(kConfigFileName)).toStdString()));
}

int WriteSoundCardSettings(const IniFile& config, const std::optional<AudioSettings>& settings) {
    const AudioSettings values = settings.value_or(AudioSettings{});
    const std::pair<const char*, std::string> entries[] = {
        {"Pcm", settings ? settings->pcm : std::string()},
        {"Rate", std::to_string(values.rate)},
        {"Latency", std::to_string(values.latencyMs)}};
    for (const auto& [key, value] : entries) {
        if (const int error = config.WriteString(kSection, key, value, true); error != 0) {
            return error;
        }
    }
    return 0;
}

}  // namespace korvane
