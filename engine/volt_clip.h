#pragma once

#include "engine/channel_rules.h"

namespace korvane {

// A point value kept within the ±3.5 V the DAC puts out; `clipped` counts the values that were
// not.
inline float ClipToFullScale(double volts, int& clipped) {
    if (volts > kFullScaleVolts || volts < -kFullScaleVolts) {
        ++clipped;
        return static_cast<float>(volts > 0.0 ? kFullScaleVolts : -kFullScaleVolts);
    }
    return static_cast<float>(volts);
}

}  // namespace korvane
