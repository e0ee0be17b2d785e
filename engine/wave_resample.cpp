#include "engine/wave_resample.h"

#include <algorithm>
#include <cmath>

#include "engine/channel_rules.h"
#include "engine/wave_type.h"

namespace korvane {
namespace {

// Point j is the mean of the input over [j, j + 1) × m / n, partial values weighted by their share.
void Average(std::span<const double> in, std::span<double> out) {
    const double m = static_cast<double>(in.size());
    const double n = static_cast<double>(out.size());
    for (std::size_t j = 0; j < out.size(); ++j) {
        const double begin = static_cast<double>(j) * m / n;
        const double end = static_cast<double>(j + 1) * m / n;
        double sum = 0.0;
        const auto last = std::min(in.size(), static_cast<std::size_t>(std::ceil(end)));
        for (auto k = static_cast<std::size_t>(begin); k < last; ++k) {
            const double k0 = static_cast<double>(k);
            const double share = std::min(end, k0 + 1.0) - std::max(begin, k0);
            sum += in[k] * share;
        }
        out[j] = sum / (end - begin);
    }
}

// Point j is the input at position j × m / n, linear between neighbours, periodic.
void Interpolate(std::span<const double> in, std::span<double> out) {
    const double m = static_cast<double>(in.size());
    const double n = static_cast<double>(out.size());
    for (std::size_t j = 0; j < out.size(); ++j) {
        const double position = static_cast<double>(j) * m / n;
        const auto k = static_cast<std::size_t>(position);
        const double part = position - static_cast<double>(k);
        out[j] = in[k] + (in[(k + 1) % in.size()] - in[k]) * part;
    }
}

// A point value kept within the ±3.5 V the DAC puts out; `clipped` counts the values that were
// not (an infinity among them).
float ClipToFullScale(double volts, int& clipped) {
    if (volts > kFullScaleVolts || volts < -kFullScaleVolts) {
        ++clipped;
        return static_cast<float>(volts > 0.0 ? kFullScaleVolts : -kFullScaleVolts);
    }
    return static_cast<float>(volts);
}

}  // namespace

int FittedPointCount(std::size_t inputCount, const FitOptions& options) {
    const auto input = static_cast<int>(std::min<std::size_t>(inputCount, kMaxPoints));
    const int wanted = options.pointCount > 0 ? std::min(options.pointCount, kMaxPoints) : input;
    return wanted > input && !options.interpolateShort ? input : wanted;
}

FittedWave FitToTable(std::span<const double> values, const FitOptions& options) {
    FittedWave fitted;
    if (values.empty()) {
        return fitted;
    }
    std::vector<double> table(static_cast<std::size_t>(FittedPointCount(values.size(), options)));
    if (table.size() == values.size()) {
        std::copy(values.begin(), values.end(), table.begin());
    } else if (table.size() < values.size()) {
        Average(values, table);
    } else {
        Interpolate(values, table);
    }
    double scale = 1.0;
    if (options.scale == WaveScale::PeakVolts) {
        double peak = 0.0;
        for (double v : table) {
            peak = std::max(peak, std::abs(v));
        }
        scale = peak > 0.0 ? options.peakVolts / peak : 1.0;
    }
    fitted.points.reserve(table.size());
    for (double v : table) {
        fitted.points.push_back(ClipToFullScale(v * scale, fitted.clippedCount));
    }
    return fitted;
}

}  // namespace korvane
