#include "engine/device_library/sound_card_oscillator.h"

namespace korvane {
namespace {

// Four-point, third-order Lagrange interpolation between p[1] and p[2] at `t` in [0, 1).
inline float Interpolate(const float* p, float t) {
    const float a = t + 1.0f;
    const float b = t;
    const float c = t - 1.0f;
    const float d = t - 2.0f;
    return -p[0] * (b * c * d) * (1.0f / 6.0f) + p[1] * (a * c * d) * 0.5f -
           p[2] * (a * b * d) * 0.5f + p[3] * (a * b * c) * (1.0f / 6.0f);
}

}  // namespace

void Oscillator::Render(const Voice* voice, float* out, int stride, int count) {
    if (!voice) {
        for (int i = 0; i < count; ++i) {
            out[i * stride] = 0.0f;
        }
        return;
    }
    if (voice->arming != arming_) {
        arming_ = voice->arming;
        if (voice->singleWave) {
            phase_ = 0;  // armed: one period from its start
            holding_ = false;
        }
    }
    if (!voice->singleWave) {
        holding_ = false;
    }
    const int bits = voice->table.bits;
    const float* table = voice->table.samples.data();
    const float hold = voice->table.First();
    const std::uint64_t step = voice->increment;
    std::uint64_t periods = 0;
    for (int i = 0; i < count; ++i) {
        if (holding_) {
            out[i * stride] = hold;
            continue;
        }
        const auto index = static_cast<std::size_t>(phase_ >> (64 - bits));
        // The 24 bits below the index: as many as a float's fraction holds.
        const float fraction = static_cast<float>((phase_ << bits) >> 40) * 0x1p-24f;
        out[i * stride] = Interpolate(table + index, fraction);
        const std::uint64_t next = phase_ + step;
        if (next < phase_) {
            ++periods;
            holding_ = voice->singleWave;
        }
        phase_ = next;
    }
    if (!voice->flat && periods != 0) {
        periods_.fetch_add(periods, std::memory_order_relaxed);
    }
}

}  // namespace korvane
