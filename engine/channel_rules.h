#pragma once

#include <cstdint>

#include "engine/device_library/device_library.h"
#include "engine/wave_type.h"

namespace korvane {

class ChannelState;

// The one home of a channel's rules: the range of every value, the one way a value is brought
// into its range, what a wave type change does, and how the arbitrary sample rate follows the
// frequency. The panel, the dialogs, the file readers, SCPI and the headless tool all call these.

// A value's range, both ends included.
struct Range {
    double low;
    double high;
};

// `value` brought into `range`, compared in double precision: nothing beyond a limit is kept.
// NaN gives the low end; an infinity gives the end on its side.
double Limit(double value, Range range);
// Whether Limit changes `value`.
bool OutsideRange(double value, Range range);
// A whole-number value: rounded to the nearest whole number, then limited; NaN gives `low`.
int LimitWhole(double value, int low, int high);

// ---- ranges ----------------------------------------------------------------------------------
inline constexpr double kMinFrequency = 1.0;
inline constexpr double kMaxSineFrequency = kGeneratorMaxFrequency;
inline constexpr double kMaxOtherFrequency = 25000000.0;
inline constexpr float kMaxAmplitude = static_cast<float>(kFullScaleVolts);
inline constexpr double kMaxOffset = 7.0;

// The highest frequency a wave type may be set to.
constexpr double MaxFrequency(int waveType) {
    return waveType == Sine ? kMaxSineFrequency : kMaxOtherFrequency;
}
constexpr Range FrequencyRange(int waveType) {
    return {kMinFrequency, MaxFrequency(waveType)};
}
// The highest frequency `channel` may take with wave type `waveType`: the wave type's, or less
// when the channel's device plays no higher.
double MaxFrequency(const ChannelState& channel, int waveType);
// The channel's frequency range for its present wave type.
Range FrequencyRange(const ChannelState& channel);
// The sweep's start and end frequencies on this channel.
Range SweepFrequencyRange(const ChannelState& channel);
inline constexpr Range kAmplitudeRange{0.0, kFullScaleVolts};
inline constexpr Range kOffsetRange{-kMaxOffset, kMaxOffset};
inline constexpr Range kFractionRange{0.0, 1.0};      // phase, duties, trapezia parts, AM depth
inline constexpr Range kTimeConstantRange{0.0, 1.0};  // exponent time constant, seconds
inline constexpr Range kCarrierRange{0.0, kMaxSineFrequency};    // AM/FM carrier, whole Hz
inline constexpr Range kDeviationRange{0.0, kMaxSineFrequency};  // FM deviation, whole Hz
inline constexpr Range kSweepFrequencyRange{1.0, 1000000.0};
inline constexpr Range kSweepSpeedRange{1.0, 3600000.0};  // ms per step
inline constexpr int kMinWaveNumber = 1;                  // periods the display shows
inline constexpr int kMaxWaveNumber = 99;
inline constexpr std::uint16_t kDigitalOutMask = 0x0FFF;   // output pins O0..OB
inline constexpr std::uint16_t kDigitalInMask = 0x003F;    // the input bits the program shows
inline constexpr Range kPointCountRange{1.0, kMaxPoints};  // arbitrary points in one period
// The digital output word keeps only the bits of the output pins; the worker sends it each cycle.
void StoreDigitalOut(ChannelState& channel, unsigned word);

// A typed arbitrary point, volts; the output clips what lies beyond full scale.
inline constexpr Range kTypedPointRange{-10.0, 10.0};

// The wave-shape values a dialog, a settings file or SCPI sets.
enum class ShapeValue {
    Phase,
    SquareDuty,
    RampDuty,
    TrapeziaRise,
    TrapeziaHigh,
    TrapeziaFall,
    ExponentTimeConstant,
    AmDepth,
    Carrier,
    Deviation,
};
// A trapezia part may take only what the other two leave of one period, so the three never add
// up to more than one. Worked out in single precision, as the parts are stored.
Range TrapeziaPartRange(float other1, float other2);
// A shape value's range on this channel.
Range ShapeRange(const ChannelState& channel, ShapeValue which);
double ReadShape(const ChannelState& channel, ShapeValue which);
// Stores the limited value (carrier and deviation rounded to whole hertz); queues nothing.
void StoreShape(ChannelState& channel, ShapeValue which, double value);
// Stores the limited value and requests a download of the rebuilt wave.
void SetShape(ChannelState& channel, ShapeValue which, double value);

// The three trapezia parts of a file: each within 0..1, then high within what rise leaves and
// fall within what rise and high leave.
struct TrapeziaParts {
    float rise;
    float high;
    float fall;
};
TrapeziaParts LimitTrapezia(TrapeziaParts parts);

// ---- the arbitrary sample rate ----------------------------------------------------------------
// The rate the device plays the table at: the master clock over the frequency's clock divider.
float ClockSampleRate(double frequency);
// The rate a table of `count` points has at `frequency` (one period per table), as files hold it.
float TableSampleRate(int count, double frequency);
// The frequency a table of `count` points plays at `sampleRate`, limited like a typed
// frequency of the arbitrary wave.
double FrequencyFromSampleRate(double sampleRate, int count);

// ---- wave type changes --------------------------------------------------------------------------
// What the arbitrary wave plays when it is chosen: the current wave turned into points, or a
// table the caller has just put in place (a file's, or points sent remotely).
enum class ArbitraryTable { FromCurrentWave, Keep };

// Turns the channel's current wave into arbitrary points: one period sampled at
// pointCount / periodCount points, in volts, on the display time base, so level, offset, phase and
// shape are kept. Also sets the sample rate and the scroll range; the wave type is left alone.
void DeriveArbitraryPoints(ChannelState& channel);

// Selects wave type `type` (ignored outside 0..8). Choosing Arbitrary from another type takes the
// table `table` says and sets the phase to 0; the frequency is then limited to the new type's
// maximum; a download of the new wave is requested.
void ChangeWaveType(ChannelState& channel, int type, ArbitraryTable table);

}  // namespace korvane
