#include "view/entry/entry_values.h"

#include <algorithm>

#include "engine/channel_rules.h"
#include "engine/wave_type.h"
#include "formats/str_convert.h"

namespace korvane {

namespace {

constexpr double kNotANumberFrequency = 1000.0;
constexpr double kMilli = 0.001;

bool LooksNumeric(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; });
}

// The number ParseNumber leaves behind, whether or not it calls the text valid.
double LeadingNumber(std::string_view text) {
    double value = 0.0;
    ParseNumber(text, value);
    return value;
}

TypedValue Limited(double value, Range range) {
    return {Limit(value, range), OutsideRange(value, range)};
}

double InVolts(double typed, int voltUnit) {
    return voltUnit == 0 ? typed * kMilli : typed;
}

}  // namespace

TypedValue TypedFrequency(std::string_view text, int frequencyUnit, int waveType) {
    double value = LooksNumeric(text) ? LeadingNumber(text) : kNotANumberFrequency;
    if (frequencyUnit == 1) {
        value *= 1000.0;
    } else if (frequencyUnit == 2) {
        value *= 1000000.0;
    }
    return Limited(value, FrequencyRange(waveType));
}

bool UnfinishedFrequency(std::string_view text) {
    return LooksNumeric(text) && text.find_first_of("123456789") == std::string_view::npos &&
           std::count(text.begin(), text.end(), '.') <= 1;
}

TypedValue TypedAmplitude(std::string_view text, int voltUnit) {
    return Limited(InVolts(LeadingNumber(text), voltUnit), kAmplitudeRange);
}

TypedValue TypedOffset(std::string_view text, int voltUnit) {
    return Limited(InVolts(LeadingNumber(text), voltUnit), kOffsetRange);
}

TypedValue TypedPhase(std::string_view text) {
    double value = 0.0;
    if (!ParseNumber(text, value)) {
        value = 0.0;
    }
    return {value, OutsideRange(value, kFractionRange)};
}

}  // namespace korvane
