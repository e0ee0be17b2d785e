#pragma once

#include <cstdint>
#include <vector>

#include "engine/synthesis.h"

namespace korvane::test {

// The DAC codes of a whole buffer of `p`.
inline std::vector<std::uint16_t> Codes(const WaveParams& p) {
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(p.pointCount));
    NoiseSource noise;
    FillDacCodes(p, codes, noise);
    return codes;
}

// The wave at `t` periods on the buffer's time base.
inline double BufferSample(const WaveParams& p, double t) {
    NoiseSource noise;
    return Sample(p, t, TimeBase::Buffer, noise);
}

inline constexpr double A =
    static_cast<double>(2.0f * 0.2857143f);  // default amplitude, normalised

}  // namespace korvane::test
