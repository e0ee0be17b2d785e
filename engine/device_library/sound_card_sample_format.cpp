#include "engine/device_library/sound_card_sample_format.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace korvane {
namespace {

// Full scale of an integer format: -1.0 is -scale, +1.0 the largest value, scale - 1.
template <typename Int>
Int ToInteger(float clipped, double scale) {
    return static_cast<Int>(std::lround(std::min(clipped * scale, scale - 1.0)));
}

void WriteSample(float value, SampleFormat format, unsigned char* to) {
    const float clipped = std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
    switch (format) {
        case SampleFormat::Float:
            std::memcpy(to, &clipped, sizeof clipped);
            return;
        case SampleFormat::Int32: {
            const std::int32_t v = ToInteger<std::int32_t>(clipped, 2147483648.0);
            std::memcpy(to, &v, sizeof v);
            return;
        }
        case SampleFormat::Int16: {
            const std::int16_t v = ToInteger<std::int16_t>(clipped, 32768.0);
            std::memcpy(to, &v, sizeof v);
            return;
        }
    }
}

}  // namespace

int SampleBytes(SampleFormat format) {
    return format == SampleFormat::Int16 ? 2 : 4;
}

void ConvertFrames(const float* frames, int count, SampleFormat format, unsigned channels,
                   std::vector<unsigned char>* out) {
    const auto bytes = static_cast<std::size_t>(SampleBytes(format));
    const std::size_t frameBytes = channels * bytes;
    // Zero bytes are silence in every format: the further channels need nothing more.
    out->assign(static_cast<std::size_t>(count) * frameBytes, 0);
    for (std::size_t frame = 0; frame < static_cast<std::size_t>(count); ++frame) {
        unsigned char* to = out->data() + frame * frameBytes;
        WriteSample(frames[2 * frame], format, to);
        WriteSample(frames[2 * frame + 1], format, to + bytes);
    }
}

}  // namespace korvane
