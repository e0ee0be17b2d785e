#include "engine/measurement_filter.h"

#include <algorithm>

namespace korvane {

std::optional<double> MeasurementFilter::Add(float reading) {
    if (readings_.size() == kReadings) {
        readings_.pop_front();
    }
    readings_.push_back(reading);
    const auto [smallest, largest] = std::minmax_element(readings_.begin(), readings_.end());
    if (*largest == 0.0f && *smallest == 0.0f) {
        return 0.0;
    }
    if (*smallest != 0.0f && *largest / *smallest < 3.0f) {
        return readings_.front();
    }
    return std::nullopt;
}

}  // namespace korvane
