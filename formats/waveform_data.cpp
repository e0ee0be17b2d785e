#include "formats/waveform_data.h"

#include <algorithm>
#include <cmath>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "formats/message_texts.h"

namespace korvane {

std::string WaveformErrorText(WaveformError error, const LanguageTable& language) {
    switch (error) {
        case WaveformError::TooFewPoints:
            return LanguageText(language, kTextPointsTooFew, "Points is too few!!!");
        case WaveformError::TooManyPoints:
            return LanguageText(language, kTextValueOver, "Value is Over!!!");
        case WaveformError::None:
        case WaveformError::NotWaveform:
            break;
    }
    return {};
}

void StoreWaveform(ChannelState& channel, const WaveformData& waveform) {
    const std::size_t count = std::min<std::size_t>(waveform.points.size(), kMaxPoints);
    for (std::size_t k = 0; k < count; ++k) {
        channel.arbPoints[k] = waveform.points[k];
    }
    channel.arbSampleRate = waveform.sampleRate;
    channel.arbPointCount = static_cast<int>(count);
}

void ApplyWaveform(ChannelState& channel, const WaveformData& waveform) {
    StoreWaveform(channel, waveform);
    const int count = channel.arbPointCount;
    double frequency = FrequencyFromSampleRate(waveform.sampleRate, count);
    if (frequency != static_cast<double>(waveform.sampleRate) / count) {
        channel.arbSampleRate = TableSampleRate(count, frequency);
    }
    channel.SetFrequency(frequency);
}

}  // namespace korvane
