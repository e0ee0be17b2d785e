#include "formats/wave_import.h"

namespace korvane {

WaveformData ImportedWaveform(std::vector<float> points, std::size_t sourceCount, double sourceRate,
                              double frequency) {
    if (sourceRate > 0.0 && sourceCount > 0) {
        frequency = sourceRate / static_cast<double>(sourceCount);
    }
    const double count = static_cast<double>(points.size());
    return {static_cast<float>(count * frequency), std::move(points)};
}

}  // namespace korvane
