#pragma once

#include <span>
#include <vector>

namespace korvane {

class ChannelState;

// One period of arbitrary points in volts: the channel's table as far as its point count goes.
using PointTable = std::vector<float>;

// The channel's points 0 .. arbPointCount - 1 (the count limited to 1 .. kMaxPoints).
PointTable ReadPointTable(const ChannelState& channel);

// Puts `points` into the channel's table and sets its point count; more than kMaxPoints are cut
// off, an empty table is ignored. Nothing is downloaded: the caller asks for that.
void WritePointTable(ChannelState& channel, std::span<const float> points);

}  // namespace korvane
