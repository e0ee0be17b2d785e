#pragma once

#include <vector>

namespace korvane {

// The sample formats a sound card's PCM may take, in the machine's byte order.
enum class SampleFormat { Float, Int32, Int16 };

// Bytes one sample of `format` takes.
int SampleBytes(SampleFormat format);

// Converts `count` interleaved stereo frames (left, right; ±1.0 full scale) into `out`, resized
// to `channels` samples a frame in `format`; `channels` is at least 2 and the channels after
// the first two are silent. Values beyond ±1 are clipped and +1.0 becomes the largest integer.
// A NaN becomes silence: a computing fault must not reach the card as an arbitrary sample.
void ConvertFrames(const float* frames, int count, SampleFormat format, unsigned channels,
                   std::vector<unsigned char>* out);

}  // namespace korvane
