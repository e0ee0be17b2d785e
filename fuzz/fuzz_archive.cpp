// Document archive reader: any bytes (the reader looks at 1,000,000 at most) must parse without
// a crash, and an accepted waveform must fit the point table.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/wave_type.h"
#include "formats/archive_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    korvane::WaveformData waveform;
    if (korvane::ParseArchive(bytes, waveform) != korvane::WaveformError::None) {
        return 0;
    }
    if (waveform.points.empty() || waveform.points.size() > korvane::kMaxPoints ||
        !std::isfinite(waveform.sampleRate)) {
        std::abort();
    }
    for (float point : waveform.points) {
        if (!std::isfinite(point)) {
            std::abort();
        }
    }
    return 0;
}
