#pragma once

#include <cstddef>
#include <deque>
#include <optional>

namespace korvane {

// The frequency readings of a channel. A new value is shown only when the last readings agree
// within a factor of 3; the shown value is the oldest of them. Touched by the worker only.
class MeasurementFilter {
  public:
    static constexpr std::size_t kReadings = 5;

    // Adds a reading; returns the value to show, or nothing when the shown value stays.
    std::optional<double> Add(float reading);
    std::size_t Size() const { return readings_.size(); }

  private:
    std::deque<float> readings_;
};

}  // namespace korvane
