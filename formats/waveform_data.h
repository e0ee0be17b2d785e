#pragma once

#include <string>
#include <vector>

namespace korvane {

class ChannelState;
class LanguageTable;

// An arbitrary waveform as a file holds it, read completely before anything reaches a channel.
struct WaveformData {
    float sampleRate = 0.0f;    // points per second (arbSampleRate)
    std::vector<float> points;  // one period, 1..4096 points, in volts
};

enum class WaveformError {
    None,
    NotWaveform,    // not a file of this kind: nothing to say
    TooFewPoints,   // a point count of 0 or below
    TooManyPoints,  // more points than the table holds
};

// The message for a refused waveform; empty for None and NotWaveform.
std::string WaveformErrorText(WaveformError error, const LanguageTable& language);

// Puts the points, sample rate and point count into the channel; nothing else changes.
void StoreWaveform(ChannelState& channel, const WaveformData& waveform);
// StoreWaveform, then sets the frequency that plays the points at the sample rate (queuing the
// device commands). When that frequency had to be limited, the sample rate follows it.
void ApplyWaveform(ChannelState& channel, const WaveformData& waveform);

}  // namespace korvane
