#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/noise.h"
#include "engine/wave_type.h"

namespace korvane {

// A plain copy of everything the synthesis reads, taken from a channel in one go so that a
// buffer is built from consistent values while the GUI keeps editing the channel.
struct WaveParams {
    int waveType = Sine;
    float amplitude = 2.0f;
    double offset = 0.0;
    int attenuate20dB = 0;
    float phase = 0.0f;
    int pointCount = 1000;
    int periodCount = 1;
    std::int16_t waveNumber = 3;
    double frequency = 1000.0;
    int outputOn = 1;
    float squareDuty = 0.5f;
    float rampDuty = 0.5f;
    int exponentRaise = 1;
    float exponentTimeConstant = 0.001f;
    float trapeziaRise = 0.2f;
    float trapeziaHigh = 0.4f;
    float trapeziaFall = 0.2f;
    float amDepth = 0.5f;
    int carrierFrequency = 10000;
    int fmDeviation = 3000;
    int fmMode = 0;
    int arbPointCount = 1000;
    std::array<float, kMaxPoints> arbPoints{};

    bool operator==(const WaveParams&) const = default;
};

enum class TimeBase {
    Buffer,   // t over [0, 1) spans the whole buffer, which holds periodCount periods
    Display,  // t over [0, 1) spans waveNumber periods
};

// The normalised output value (1.0 = +3.5 V) at time t.
double Sample(const WaveParams& params, double t, TimeBase timeBase, NoiseSource& noise);

// A fixed picture of the wave type: two periods over [0, 1) at 2 V, no offset.
double PreviewSample(const WaveParams& params, double t, NoiseSource& noise);

// Whether the buffer reaches beyond the +/-3.5 V the DAC can put out (offset plus amplitude, or
// a point of the table), so that the generator clips the wave.
bool OutputClips(const WaveParams& params);

// 12-bit DAC code of one buffer point: 2048 at 0 V, falling as the voltage rises.
std::uint16_t ToDacCode(double value, int outputOn);

// Divider of the 200 MHz master clock for a 4096-point buffer at frequency f.
int ClockDivider(double frequency);

// The codes of a whole output buffer: codes.size() points on the buffer time base.
void FillDacCodes(const WaveParams& params, std::span<std::uint16_t> codes, NoiseSource& noise);
// The same buffer at full precision, in volts (a switched-off output gives 0 V, as does a
// non-finite sample); nothing is clipped here.
void FillVolts(const WaveParams& params, std::span<double> volts, NoiseSource& noise);

// Counts coming from a device or a file are kept within 1..4096 before they index a table.
constexpr int LimitPointCount(int count) {
    return count < 1 ? 1 : (count > kMaxPoints ? kMaxPoints : count);
}

}  // namespace korvane
