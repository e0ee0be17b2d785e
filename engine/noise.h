#pragma once

#include <cstdint>

namespace korvane {

// Uniform integers 0..32767 from a small linear congruential generator. It is never seeded from
// the clock, so the same noise comes back after every start.
class NoiseSource {
  public:
    int Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }

  private:
    std::uint32_t state_ = 1;
};

// One generator per thread, so workers never share (or race on) a noise state.
NoiseSource& ThreadNoise();

}  // namespace korvane
