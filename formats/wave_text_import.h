#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "formats/wave_import.h"

namespace korvane {

// The largest text file read, and the most values kept from one.
inline constexpr std::size_t kMaxWaveTextBytes = 64 * 1024 * 1024;
inline constexpr long long kMaxWaveTextValues = 10'000'000;

// Reads a wave written by a spreadsheet or a script: one value per line, or columns (time and
// value, ...) separated by commas, semicolons, tabs or blanks, with a decimal point or a decimal
// comma. Empty lines and comments (#, ;, //) are skipped anywhere; lines before the first number
// are a header. The value is the last column unless options.column names another; with two or
// more columns the first is the time, which gives the sample rate. `file` names the text in
// errors. The program's own waveform CSV (starting "#CLOCK=") is read as the program opens it,
// its points in column 1. On failure `wave` is left unchanged.
bool ParseWaveText(std::string_view text, const std::string& file, const ImportOptions& options,
                   ImportedWave& wave, ImportError& error);

// ParseWaveText on a whole file of at most kMaxWaveTextBytes.
bool ReadWaveTextFile(const std::filesystem::path& path, const ImportOptions& options,
                      ImportedWave& wave, ImportError& error);

}  // namespace korvane
