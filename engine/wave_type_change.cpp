// The wave type change and the arbitrary table's sample rate.
#include <algorithm>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/synthesis.h"

namespace korvane {

float ClockSampleRate(double frequency) {
    const int divider = std::max(1, ClockDivider(frequency));
    return static_cast<float>(static_cast<int>(kMasterClockHz) / divider);
}

float TableSampleRate(int count, double frequency) {
    return static_cast<float>(count * frequency);
}

double FrequencyFromSampleRate(double sampleRate, int count) {
    // A rate of 0, below zero or not a number gives no usable frequency: the slowest one.
    return Limit(sampleRate / std::max(1, count), FrequencyRange(Arbitrary));
}

void DeriveArbitraryPoints(ChannelState& channel) {
    const int count = LimitPointCount(channel.pointCount / std::max(1, channel.periodCount.load()));
    channel.arbSampleRate = ClockSampleRate(channel.frequency);

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

void ChangeWaveType(ChannelState& channel, int type, ArbitraryTable table) {
    if (type < 0 || type >= kWaveTypeCount) {
        return;
    }
    if (type != channel.waveType) {
        if (type == Arbitrary) {
            if (table == ArbitraryTable::FromCurrentWave) {
                DeriveArbitraryPoints(channel);  // before the phase is cleared: it is kept
            }
            channel.phase = 0.0f;
            channel.RequestDownload();
        }
        channel.SetWaveType(type);
    }
    const double highest = MaxFrequency(channel, type);
    if (channel.frequency > highest) {
        channel.SetFrequency(highest);
    }
    channel.RequestDownload();
}

}  // namespace korvane
