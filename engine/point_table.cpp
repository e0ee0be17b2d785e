#include "engine/point_table.h"

#include <algorithm>

#include "engine/channel_state.h"
#include "engine/synthesis.h"

namespace korvane {

PointTable ReadPointTable(const ChannelState& channel) {
    const int count = LimitPointCount(channel.arbPointCount);
    PointTable points(static_cast<std::size_t>(count));
    for (std::size_t k = 0; k < points.size(); ++k) {
        points[k] = channel.arbPoints[k].load(std::memory_order_relaxed);
    }
    return points;
}

void WritePointTable(ChannelState& channel, std::span<const float> points) {
    if (points.empty()) {
        return;
    }
    const std::size_t count = std::min<std::size_t>(points.size(), kMaxPoints);
    for (std::size_t k = 0; k < count; ++k) {
        channel.arbPoints[k].store(points[k], std::memory_order_relaxed);
    }
    channel.arbPointCount = static_cast<int>(count);
}

}  // namespace korvane
