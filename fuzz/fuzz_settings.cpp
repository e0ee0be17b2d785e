// Settings reader: any bytes must decode without a crash; an accepted record must apply within
// the panel's ranges, and what the panel then saves must decode to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "formats/settings_file.h"

namespace {

bool WithinPanel(const korvane::ChannelState& c) {
    int type = c.waveType;
    double frequency = c.frequency;
    float amplitude = c.amplitude;
    double offset = c.offset;
    float phase = c.phase;
    return type >= 0 && type <= 8 && frequency >= 1.0 && frequency <= korvane::MaxFrequency(type) &&
           amplitude >= 0.0f && amplitude <= 3.5f && offset >= -7.0 && offset <= 7.0 &&
           phase >= 0.0f && phase <= 1.0f && c.exponentTimeConstant >= 0.0f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<korvane::SettingsRecord> record = korvane::DecodeSettings(bytes);
    if (!record || !korvane::IsFinite(*record)) {
        return 0;
    }
    static korvane::SimulatedDeviceLibrary library(1);
    korvane::ChannelState channel(library);
    channel.demo = 0;
    channel.deviceIndex = 0;
    korvane::ApplySettings(channel, korvane::LimitToPanel(*record));
    if (!WithinPanel(channel)) {
        std::abort();
    }
    korvane::SettingsBytes saved = korvane::EncodeSettings(korvane::CaptureSettings(channel));
    std::optional<korvane::SettingsRecord> again = korvane::DecodeSettings(
        std::string_view(reinterpret_cast<const char*>(saved.data()), saved.size()));
    if (!again || again->frequency != channel.frequency || again->waveType != channel.waveType) {
        std::abort();
    }
    return 0;
}
