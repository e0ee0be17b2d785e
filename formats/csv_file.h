#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "formats/file_result.h"
#include "formats/message_texts.h"
#include "formats/waveform_data.h"

namespace korvane {

class ChannelState;
class LanguageTable;

// A real file of 4096 points is about 100 KB; reading stops far beyond that, so an enormous file
// cannot exhaust memory. Lines past the bound read as missing.
inline constexpr std::size_t kMaxCsvBytes = 16 * 1024 * 1024;

// Waveform CSV text: "#CLOCK=<rate>", "#SIZE=<count>", then "<volts>,0,0" per point, every number
// with six decimals, every line ended by CR LF.
std::string FormatCsv(float sampleRate, std::span<const float> points);

// Reads CSV text tolerantly: a header value is the text after the first "=" and before the first
// ","; a point is the text before the first ","; malformed numbers read as 0 and surplus lines
// are ignored. A point count outside 1..4096, or fewer point lines than the count, refuses the
// text.
WaveformError ParseCsv(std::string_view text, WaveformData& waveform);

// The channel's point table as it is saved: the sample rate becomes points × frequency (stored
// into the channel too), so a file always plays at the channel's frequency.
WaveformData WaveformToSave(ChannelState& channel);

// Writes the channel's point table to `path` (through a temporary file beside it). A failure is
// told in `cannotSaveFormat` ("%s": the system's reason), the window's language giving its own.
FileResult ExportCsv(ChannelState& channel, const std::filesystem::path& path,
                     const char* cannotSaveFormat = kCsvFileError);
// Reads `path` completely; `waveform` is filled only on success.
FileResult ReadCsvFile(const std::filesystem::path& path, const LanguageTable& language,
                       WaveformData& waveform);
// Whether the text begins as the program writes its CSV files: a "#CLOCK=" line, then "#SIZE=".
bool HasProgramCsvHeader(std::string_view text);
// HasProgramCsvHeader on the beginning of a file; false when it cannot be read.
bool IsProgramCsvFile(const std::filesystem::path& path);
// ReadCsvFile, then ApplyWaveform; a refused file leaves the channel exactly as it was.
FileResult ImportCsv(ChannelState& channel, const std::filesystem::path& path,
                     const LanguageTable& language);

}  // namespace korvane
