#pragma once

#include <optional>

#include "engine/device_library/library_factory.h"

namespace korvane {

class IniFile;
class RuntimePaths;

// The sound card chosen under Utility > Sound card output, kept in config.ini's [SoundCard]
// section (Pcm, Rate, Latency). An empty or missing Pcm means no sound card; a rate or latency
// that is missing or out of range reads as the default.
std::optional<AudioSettings> ReadSoundCardSettings(const IniFile& config);

// The settings in the config.ini the program reads at `paths`.
std::optional<AudioSettings> ConfiguredSoundCard(const RuntimePaths& paths);

// Stores `settings` (nothing: no sound card, an empty Pcm). Returns 0 or the errno value of the
// failed write.
int WriteSoundCardSettings(const IniFile& config, const std::optional<AudioSettings>& settings);

}  // namespace korvane
