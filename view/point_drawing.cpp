#include "view/point_drawing.h"

#include <algorithm>
#include <cmath>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"

namespace korvane {

namespace {

constexpr auto kFullScale = static_cast<float>(kFullScaleVolts);

int ValidIndex(int index) {
    return std::clamp(index, 0, kMaxPoints - 1);
}

// Sets the points after `from` up to and including `to` on the line between their values.
void JoinPoints(ChannelState& channel, int from, int to) {
    if (from == to) {
        return;
    }
    auto& points = channel.arbPoints;
    const float start = points[static_cast<std::size_t>(from)];
    const float slope = (points[static_cast<std::size_t>(to)] - start) / float(to - from);
    const int direction = to > from ? 1 : -1;
    for (int j = from + direction; j != to + direction; j += direction) {
        points[static_cast<std::size_t>(j)] = start + float(j - from) * slope;
    }
}

}  // namespace

PlotArea PlotArea::FromRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

bool PlotArea::Contains(QPoint point) const {
    return ContainsColumn(point.x()) && ContainsRow(point.y());
}

int PointAt(const ChannelState& channel, const PlotArea& plot, int x) {
    const int first = channel.arbViewFirst;
    const int last = channel.arbViewLast;
    const float scale = channel.arbViewScale;
    double index = first;
    if (std::isfinite(scale) && scale > 0.0f) {
        index = std::trunc((x - plot.left) / double(scale) + first + 0.5);
    }
    if (index > last) {
        index = last;
    }
    if (index < 0.0) {
        index = 0.0;
    }
    return static_cast<int>(index);
}

float VoltageAtRow(const PlotArea& plot, int y) {
    if (plot.bottom <= plot.top) {
        return 0.0f;
    }
    const int row = std::clamp(y, plot.top, plot.bottom);
    return kFullScale - float((row - plot.top) * 2) * kFullScale / float(plot.bottom - plot.top);
}

std::optional<int> PointStroke::Press(ChannelState& channel, const PlotArea& plot, QPoint at,
                                      bool straightLine) {
    if (!plot.Contains(at)) {
        return std::nullopt;
    }
    dragging_ = true;
    dragIndex_ = ValidIndex(PointAt(channel, plot, at.x()));
    if (straightLine && lastDrawn_) {
        channel.arbPoints[static_cast<std::size_t>(dragIndex_)] = VoltageAtRow(plot, at.y());
        JoinPoints(channel, *lastDrawn_, dragIndex_);
        lastDrawn_ = dragIndex_;
    }
    return dragIndex_;
}

PointStroke::Cursor PointStroke::Move(ChannelState& channel, const PlotArea& plot, QPoint at) {
    Cursor cursor;
    if (!plot.ContainsColumn(at.x())) {
        return cursor;
    }
    if (plot.ContainsRow(at.y())) {
        cursor.x = at.x() - plot.left;
    }
    const int index = ValidIndex(PointAt(channel, plot, at.x()));
    cursor.index = index;
    if (dragging_) {
        channel.arbPoints[static_cast<std::size_t>(index)] = VoltageAtRow(plot, at.y());
        JoinPoints(channel, dragIndex_, index);
        dragIndex_ = index;
        lastDrawn_ = index;
    }
    return cursor;
}

void PointStroke::Release(ChannelState& channel) {
    dragging_ = false;
    channel.RequestDownload();
}

}  // namespace korvane
