#pragma once

#include <atomic>
#include <cstdint>

#include "engine/device_library/sound_card_voice.h"

namespace korvane {

// One output's phase accumulator on the audio thread. The phase is kept across voices, so a
// new table or frequency continues the wave from where it was, at the next sample.
class Oscillator {
  public:
    // Writes `count` samples of `voice` (silence when null) to `out`, `stride` apart.
    void Render(const Voice* voice, float* out, int stride, int count);
    // The next sample starts a period.
    void Restart() { phase_ = 0; }
    // Periods played since the start; any thread may read it.
    std::uint64_t Periods() const { return periods_.load(std::memory_order_relaxed); }

  private:
    std::uint64_t phase_ = 0;
    std::uint32_t arming_ = 0;
    bool holding_ = false;  // a single wave has played its period
    std::atomic<std::uint64_t> periods_{0};
};

}  // namespace korvane
