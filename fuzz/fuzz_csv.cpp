// CSV waveform reader: any bytes must parse without a crash, and an accepted waveform must fit
// the point table and apply to a channel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "formats/csv_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    korvane::WaveformData waveform;
    if (korvane::ParseCsv(text, waveform) != korvane::WaveformError::None) {
        return 0;
    }
    if (waveform.points.empty() || waveform.points.size() > korvane::kMaxPoints) {
        std::abort();
    }
    static korvane::SimulatedDeviceLibrary library(1);
    korvane::ChannelState channel(library);
    channel.demo = 0;
    channel.deviceIndex = 0;
    korvane::ApplyWaveform(channel, waveform);
    double frequency = channel.frequency;
    if (!(frequency >= 1.0 && frequency <= korvane::MaxFrequency(korvane::Arbitrary))) {
        std::abort();
    }
    return 0;
}
