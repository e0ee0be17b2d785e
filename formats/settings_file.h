#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/file_result.h"

namespace korvane {

class ChannelState;
class LanguageTable;

// The panel of one channel as a settings file keeps it, fields in file order. The file holds
// outputOn twice; the second copy wins on reading.
struct SettingsRecord {
    double frequency = 1000.0;
    float amplitude = 2.0f;
    double offset = 0.0;
    float phase = 0.0f;
    std::int32_t outputOn = 1;
    std::int32_t measureOn = 1;
    std::int32_t outputOnAgain = 1;
    std::int32_t attenuate20dB = 0;
    std::int32_t waveType = 0;
    std::int32_t extTrigger = 0;
    std::int32_t triggerEdge = 0;
    std::int32_t powerOnOutput = 1;
    float squareDuty = 0.5f;
    float rampDuty = 0.5f;
    std::int32_t exponentRaise = 1;
    float exponentTimeConstant = 0.001f;
    float trapeziaRise = 0.2f;
    float trapeziaHigh = 0.4f;
    float trapeziaFall = 0.2f;
    float amDepth = 0.5f;
    std::int32_t carrierFrequency = 10000;
    std::int32_t fmDeviation = 3000;
    std::int32_t fmMode = 0;
};

inline constexpr std::size_t kSettingsFileSize = 114;

// The names of the channel fields a settings file holds, in file order (outputOn once).
const std::vector<std::string>& SettingsFieldNames();
using SettingsBytes = std::array<std::uint8_t, kSettingsFileSize>;

SettingsRecord CaptureSettings(const ChannelState& channel);
SettingsBytes EncodeSettings(const SettingsRecord& record);
// The record in a file's bytes; nothing when the file is shorter than a record or does not start
// with the settings magic. Bytes after the record are ignored.
std::optional<SettingsRecord> DecodeSettings(std::string_view bytes);
// Whether every number is finite: a record with NaN or infinity is damaged and not applied.
bool IsFinite(const SettingsRecord& record);
// The record with every value brought into the range the panel allows.
SettingsRecord LimitToPanel(SettingsRecord record);
// Applies the record through the channel's setters in file order, so that a real device gets its
// commands queued as it goes.
void ApplySettings(ChannelState& channel, const SettingsRecord& record);

// Whether the path ends in ".set", in any case.
bool HasSettingsExtension(const std::filesystem::path& path);

// Writes the channel's panel to `path` (through a temporary file beside it).
FileResult SaveSettings(const ChannelState& channel, const std::filesystem::path& path);
// Reads `path` and applies it. A wrong extension is refused with a message; an unreadable,
// short, foreign or damaged file silently, and the channel then keeps its values.
FileResult LoadSettings(ChannelState& channel, const std::filesystem::path& path,
                        const LanguageTable& language);

}  // namespace korvane
