#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "formats/file_result.h"
#include "formats/waveform_data.h"

namespace korvane {

class LanguageTable;

// The document's own form of a waveform: the CSV lines as UTF-16LE code units without byte-order
// mark, each ended by LF alone. The sample rate is written as stored.
std::string FormatArchive(const WaveformData& waveform);

// A reader sees at most this many bytes of a file; the text ends there.
inline constexpr std::size_t kMaxArchiveBytes = 1000000;

// Parses archive bytes (only the first kMaxArchiveBytes are looked at). Text that does not start
// with "#", or whose header lines are not "#CLOCK=<number>" and "#SIZE=<integer>", is no
// waveform. A point line that does not start with a number, or is missing, reads as 0.0.
WaveformError ParseArchive(std::string_view bytes, WaveformData& waveform);

FileResult WriteArchiveFile(const WaveformData& waveform, const std::filesystem::path& path);
// Reads at most kMaxArchiveBytes of `path`; `waveform` is filled only on success.
FileResult ReadArchiveFile(const std::filesystem::path& path, const LanguageTable& language,
                           WaveformData& waveform);

}  // namespace korvane
