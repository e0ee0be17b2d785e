#include "formats/arbitrary_points.h"

#include <algorithm>

#include "engine/channel_state.h"
#include "engine/synthesis.h"

namespace korvane {
namespace {
constexpr double kFullScaleVolts = 3.5;
}

void DeriveArbitraryPoints(ChannelState& channel) {
    const int count = LimitPointCount(channel.pointCount / std::max(1, channel.periodCount.load()));
    const int divider = std::max(1, ClockDivider(channel.frequency));
    channel.arbSampleRate = static_cast<float>(static_cast<int>(kMasterClockHz) / divider);

    WaveParams params = channel.Snapshot();
    params.waveNumber = 1;
    NoiseSource& noise = ThreadNoise();
    for (int j = 0; j < count; ++j) {
        double t = static_cast<double>(j) / count;
        channel.arbPoints[static_cast<std::size_t>(j)] =
            static_cast<float>(Sample(params, t, TimeBase::Display, noise) * kFullScaleVolts);
    }
    channel.arbPointCount = count;
    channel.arbScrollRange = channel.pointCount.load();
}

}  // namespace korvane
