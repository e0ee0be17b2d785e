#pragma once

#include <span>
#include <vector>

namespace korvane {

enum class WaveScale {
    Volts,      // the values are volts already
    PeakVolts,  // the values are scaled so that the largest magnitude is `peakVolts`
};

struct FitOptions {
    int pointCount = 0;            // 1..4096; 0 keeps the input's count, at most 4096
    bool interpolateShort = true;  // shorter input interpolated up to pointCount, else kept
    WaveScale scale = WaveScale::Volts;
    double peakVolts = 3.5;
};

struct FittedWave {
    std::vector<float> points;  // one period of the point table, within ±3.5 V
    int clippedCount = 0;       // points that lay outside ±3.5 V and were clipped
};

// The point count FitToTable gives for `inputCount` values.
int FittedPointCount(std::size_t inputCount, const FitOptions& options);

// Fits one period of evenly spaced values to the point table. Longer input is averaged over each
// point's share of the period (a box filter, so a long sound loses what the table cannot hold
// instead of aliasing); shorter input is kept or interpolated linearly, the last point running
// into the first as the period repeats. Then the scale, then the clipping.
FittedWave FitToTable(std::span<const double> values, const FitOptions& options);

}  // namespace korvane
