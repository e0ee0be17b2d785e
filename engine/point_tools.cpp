#include "engine/point_tools.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace korvane {

namespace {

// The index k + offset wrapped into 0 .. n - 1.
std::size_t Wrapped(std::ptrdiff_t k, std::ptrdiff_t offset, std::ptrdiff_t n) {
    const std::ptrdiff_t index = (k + offset) % n;
    return static_cast<std::size_t>(index < 0 ? index + n : index);
}

}  // namespace

PointTable SmoothPoints(const PointTable& points, int width) {
    const auto n = static_cast<std::ptrdiff_t>(points.size());
    if (n == 0) {
        return points;
    }
    const std::ptrdiff_t w = std::clamp<std::ptrdiff_t>(width, 1, n);
    const std::ptrdiff_t back = (w - 1) / 2;
    // A running sum in double, so 4096 points of drift stay far below a 12-bit step.
    double sum = 0.0;
    for (std::ptrdiff_t j = -back; j < w - back; ++j) {
        sum += points[Wrapped(0, j, n)];
    }
    PointTable smoothed(points.size());
    for (std::ptrdiff_t k = 0; k < n; ++k) {
        smoothed[static_cast<std::size_t>(k)] = static_cast<float>(sum / double(w));
        sum += points[Wrapped(k, w - back, n)];
        sum -= points[Wrapped(k, -back, n)];
    }
    return smoothed;
}

PointTable NormalisePoints(const PointTable& points, double peak) {
    float largest = 0.0f;
    for (const float v : points) {
        largest = std::max(largest, std::abs(v));
    }
    if (largest == 0.0f || !std::isfinite(largest) || !std::isfinite(peak)) {
        return points;
    }
    const double factor = peak / double(largest);
    PointTable scaled(points.size());
    std::transform(points.begin(), points.end(), scaled.begin(),
                   [factor](float v) { return static_cast<float>(v * factor); });
    return scaled;
}

PointTable InvertPoints(const PointTable& points) {
    PointTable inverted(points.size());
    std::transform(points.begin(), points.end(), inverted.begin(), [](float v) { return -v; });
    return inverted;
}

PointTable ReversePoints(const PointTable& points) {
    return PointTable(points.rbegin(), points.rend());
}

PointTable ShiftPoints(const PointTable& points, int by) {
    const auto n = static_cast<std::ptrdiff_t>(points.size());
    if (n == 0) {
        return points;
    }
    PointTable shifted(points.size());
    for (std::ptrdiff_t k = 0; k < n; ++k) {
        shifted[Wrapped(k, by % n, n)] = points[static_cast<std::size_t>(k)];
    }
    return shifted;
}

}  // namespace korvane
