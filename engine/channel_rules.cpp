#include "engine/channel_rules.h"

#include <algorithm>
#include <cmath>

#include "engine/channel_state.h"

namespace korvane {
namespace {

// The float field behind a shape value; none for the whole-hertz carrier and deviation.
template <typename Channel>
auto FloatShape(Channel& c, ShapeValue which) -> decltype(&c.phase) {
    switch (which) {
        case ShapeValue::Phase:
            return &c.phase;
        case ShapeValue::SquareDuty:
            return &c.squareDuty;
        case ShapeValue::RampDuty:
            return &c.rampDuty;
        case ShapeValue::TrapeziaRise:
            return &c.trapeziaRise;
        case ShapeValue::TrapeziaHigh:
            return &c.trapeziaHigh;
        case ShapeValue::TrapeziaFall:
            return &c.trapeziaFall;
        case ShapeValue::ExponentTimeConstant:
            return &c.exponentTimeConstant;
        case ShapeValue::AmDepth:
            return &c.amDepth;
        case ShapeValue::Carrier:
        case ShapeValue::Deviation:
            break;
    }
    return nullptr;
}

template <typename Channel>
auto WholeShape(Channel& c, ShapeValue which) -> decltype((c.fmDeviation)) {
    return which == ShapeValue::Carrier ? c.carrierFrequency : c.fmDeviation;
}

}  // namespace

double Limit(double value, Range range) {
    if (std::isnan(value)) {
        return range.low;
    }
    if (value < range.low) {
        return range.low;
    }
    if (value > range.high) {
        return range.high;
    }
    return value;
}

bool OutsideRange(double value, Range range) {
    const double limited = Limit(value, range);
    return !(limited == value);  // NaN is outside every range
}

int LimitWhole(double value, int low, int high) {
    if (std::isnan(value)) {
        return low;
    }
    const double whole = std::round(value);
    if (whole < low) {
        return low;
    }
    if (whole > high) {
        return high;
    }
    return static_cast<int>(whole);
}

double MaxFrequency(const ChannelState& channel, int waveType) {
    return std::min(MaxFrequency(waveType), channel.Library().MaxFrequency(channel.deviceIndex));
}

Range FrequencyRange(const ChannelState& channel) {
    return {kMinFrequency, MaxFrequency(channel, channel.waveType)};
}

Range SweepFrequencyRange(const ChannelState& channel) {
    return {kSweepFrequencyRange.low,
            std::min(kSweepFrequencyRange.high, MaxFrequency(channel, channel.waveType))};
}

Range TrapeziaPartRange(float other1, float other2) {
    return {0.0, static_cast<double>(std::max(0.0f, (1.0f - other1) - other2))};
}

Range ShapeRange(const ChannelState& c, ShapeValue which) {
    switch (which) {
        case ShapeValue::TrapeziaRise:
            return TrapeziaPartRange(c.trapeziaHigh, c.trapeziaFall);
        case ShapeValue::TrapeziaHigh:
            return TrapeziaPartRange(c.trapeziaRise, c.trapeziaFall);
        case ShapeValue::TrapeziaFall:
            return TrapeziaPartRange(c.trapeziaHigh, c.trapeziaRise);
        case ShapeValue::ExponentTimeConstant:
            return kTimeConstantRange;
        case ShapeValue::Carrier:
            return kCarrierRange;
        case ShapeValue::Deviation:
            return kDeviationRange;
        default:
            return kFractionRange;
    }
}

double ReadShape(const ChannelState& channel, ShapeValue which) {
    if (const auto* value = FloatShape(channel, which)) {
        return static_cast<double>(value->load());
    }
    return static_cast<double>(WholeShape(channel, which).load());
}

void StoreShape(ChannelState& c, ShapeValue which, double value) {
    const Range range = ShapeRange(c, which);
    if (auto* shape = FloatShape(c, which)) {
        *shape = static_cast<float>(Limit(value, range));
    } else {
        WholeShape(c, which) =
            LimitWhole(value, static_cast<int>(range.low), static_cast<int>(range.high));
    }
}

void SetShape(ChannelState& c, ShapeValue which, double value) {
    StoreShape(c, which, value);
    c.RequestDownload();
}

void StoreDigitalOut(ChannelState& channel, unsigned word) {
    channel.digitalOut = static_cast<std::uint16_t>(word & kDigitalOutMask);
}

TrapeziaParts LimitTrapezia(TrapeziaParts parts) {
    const auto part = [](float value, Range range) {
        return static_cast<float>(Limit(value, range));
    };
    parts.rise = part(parts.rise, kFractionRange);
    parts.high = part(parts.high, TrapeziaPartRange(parts.rise, 0.0f));
    parts.fall = part(parts.fall, TrapeziaPartRange(parts.rise, parts.high));
    return parts;
}

}  // namespace korvane
