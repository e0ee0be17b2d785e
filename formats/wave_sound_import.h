#pragma once

#include <filesystem>

#include "formats/wave_import.h"

namespace korvane {

// The most values kept from a sound file; longer sounds are averaged in blocks of consecutive
// frames while they are read, so a long recording never sits in memory whole.
inline constexpr long long kMaxSoundValues = 1 << 20;

// Whether libsndfile recognises the file as a sound (WAV, AIFF, FLAC, ...).
bool IsSoundFile(const std::filesystem::path& path);

// Reads one channel (options.column, the first by default) of a sound file in any rate and sample
// format; sample value 1.0 becomes options.fullScaleVolts.
bool ReadSoundFile(const std::filesystem::path& path, const ImportOptions& options,
                   ImportedWave& wave, ImportError& error);

// Whether the file's name ends like a sound file's (".wav", ".flac", ...), in any case.
bool HasSoundExtension(const std::filesystem::path& path);

// A sound file when libsndfile reads it or its name says it is one, otherwise a text file
// (ReadWaveTextFile).
bool ImportWaveFile(const std::filesystem::path& path, const ImportOptions& options,
                    ImportedWave& wave, ImportError& error);

}  // namespace korvane
