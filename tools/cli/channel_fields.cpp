#include "tools/cli/channel_fields.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>

#include "engine/channel_rules.h"
#include "engine/device_library/simulated_device_library.h"

namespace korvane::cli {
namespace {

struct Field {
    std::function<bool(ChannelState&, const std::string&)> assign;
    std::function<std::string(const ChannelState&)> text;
};

bool ParseDouble(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

// The channel rules' range of a field the panel, the dialogs and SCPI also set; the other fields
// are stored as given.
std::optional<Range> RuleRange(const ChannelState& c, std::string_view name) {
    using enum ShapeValue;
    static constexpr std::pair<std::string_view, ShapeValue> kShapes[] = {
        {"phase", Phase},
        {"squareDuty", SquareDuty},
        {"rampDuty", RampDuty},
        {"trapeziaRise", TrapeziaRise},
        {"trapeziaHigh", TrapeziaHigh},
        {"trapeziaFall", TrapeziaFall},
        {"exponentTimeConstant", ExponentTimeConstant},
        {"amDepth", AmDepth},
        {"carrierFrequency", Carrier},
        {"fmDeviation", Deviation}};
    for (const auto& [shapeName, which] : kShapes) {
        if (name == shapeName) {
            return ShapeRange(c, which);
        }
    }
    static const std::pair<std::string_view, Range> kFixed[] = {
        {"amplitude", kAmplitudeRange},
        {"offset", kOffsetRange},
        {"waveType", {0.0, kWaveTypeCount - 1}},
        {"waveNumber", {kMinWaveNumber, kMaxWaveNumber}},
        {"digitalOut", {0.0, kDigitalOutMask}},
        {"sweepStartFrequency", kSweepFrequencyRange},
        {"sweepEndFrequency", kSweepFrequencyRange},
        {"sweepSpeed", kSweepSpeedRange},
        {"arbPointCount", kPointCountRange}};
    for (const auto& [fixedName, range] : kFixed) {
        if (name == fixedName) {
            return range;
        }
    }
    if (name == "frequency") {
        return FrequencyRange(c.waveType);
    }
    return std::nullopt;
}

template <typename T>
Field NumberField(std::string_view name, std::atomic<T> ChannelState::*member) {
    return {[name, member](ChannelState& c, const std::string& text) {
                double value = 0;
                if (!ParseDouble(text, value)) {
                    return false;
                }
                if constexpr (std::is_integral_v<T>) {
                    if (value != std::trunc(value) ||
                        value < static_cast<double>(std::numeric_limits<T>::min()) ||
                        value > static_cast<double>(std::numeric_limits<T>::max())) {
                        return false;
                    }
                }
                if (const std::optional<Range> range = RuleRange(c, name)) {
                    value = std::is_integral_v<T> ? LimitWhole(value, static_cast<int>(range->low),
                                                               static_cast<int>(range->high))
                                                  : Limit(value, *range);
                }
                (c.*member).store(static_cast<T>(value));
                return true;
            },
            [member](const ChannelState& c) {
                char text[64];
                std::snprintf(text, sizeof text, "%.9g", static_cast<double>((c.*member).load()));
                return std::string(text);
            }};
}

#define KORVANE_FIELD(name) \
    { #name, NumberField(#name, &ChannelState::name) }

const std::vector<std::pair<std::string, Field>>& Table() {
    static const std::vector<std::pair<std::string, Field>> table = {
        KORVANE_FIELD(exponentUnit),
        KORVANE_FIELD(demo),
        KORVANE_FIELD(deviceIndex),
        KORVANE_FIELD(powerOnOutput),
        KORVANE_FIELD(measureOn),
        KORVANE_FIELD(measureFrequency),
        KORVANE_FIELD(singleWave),
        KORVANE_FIELD(extTrigger),
        KORVANE_FIELD(attenuate20dB),
        KORVANE_FIELD(offset),
        KORVANE_FIELD(frequency),
        KORVANE_FIELD(amplitude),
        KORVANE_FIELD(triggerEdge),
        KORVANE_FIELD(pointCount),
        KORVANE_FIELD(waveNumber),
        KORVANE_FIELD(outputOn),
        KORVANE_FIELD(counterValue),
        KORVANE_FIELD(measuredFrequency),
        KORVANE_FIELD(resetCounterPending),
        KORVANE_FIELD(digitalOut),
        KORVANE_FIELD(digitalIn),
        KORVANE_FIELD(dioMode),
        KORVANE_FIELD(sweepStartFrequency),
        KORVANE_FIELD(sweepEndFrequency),
        KORVANE_FIELD(sweepSpeed),
        KORVANE_FIELD(sweepOn),
        KORVANE_FIELD(sweepStartDivider),
        KORVANE_FIELD(sweepEndDivider),
        KORVANE_FIELD(periodCount),
        KORVANE_FIELD(phase),
        KORVANE_FIELD(reconnectPending),
        KORVANE_FIELD(sweepDivider),
        KORVANE_FIELD(waveType),
        KORVANE_FIELD(squareDuty),
        KORVANE_FIELD(rampDuty),
        KORVANE_FIELD(exponentRaise),
        KORVANE_FIELD(exponentTimeConstant),
        KORVANE_FIELD(trapeziaRise),
        KORVANE_FIELD(trapeziaHigh),
        KORVANE_FIELD(trapeziaFall),
        KORVANE_FIELD(amDepth),
        KORVANE_FIELD(carrierFrequency),
        KORVANE_FIELD(fmDeviation),
        KORVANE_FIELD(fmMode),
        KORVANE_FIELD(arbSampleRate),
        KORVANE_FIELD(arbPointCount),
        KORVANE_FIELD(arbScrollRange),
        KORVANE_FIELD(arbViewPosition),
        KORVANE_FIELD(arbViewFirst),
        KORVANE_FIELD(arbViewLast),
        KORVANE_FIELD(arbZoom),
        KORVANE_FIELD(arbViewScale),
    };
    return table;
}

#undef KORVANE_FIELD

const Field* Find(const std::string& name) {
    for (const auto& [fieldName, field] : Table()) {
        if (fieldName == name) {
            return &field;
        }
    }
    return nullptr;
}

}  // namespace

const std::vector<std::string>& FieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const auto& entry : Table()) {
            list.push_back(entry.first);
        }
        return list;
    }();
    return names;
}

std::string AssignField(ChannelState& channel, const std::string& assignment) {
    auto equals = assignment.find('=');
    if (equals == std::string::npos) {
        return "expected NAME=VALUE, got '" + assignment + "'";
    }
    std::string name = assignment.substr(0, equals);
    std::string value = assignment.substr(equals + 1);
    const Field* field = Find(name);
    if (!field) {
        return "unknown field '" + name + "' (see --help for the field names)";
    }
    if (!field->assign(channel, value)) {
        return "malformed value '" + value + "' for field '" + name + "'";
    }
    return {};
}

std::string FieldText(const ChannelState& channel, const std::string& name) {
    const Field* field = Find(name);
    return field ? field->text(channel) : std::string();
}

std::string ApplySetOptions(ChannelState& channel, const std::vector<std::string>& args,
                            std::vector<std::string>& rest) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--set") {
            rest.push_back(args[i]);
            continue;
        }
        if (i + 1 >= args.size()) {
            return "--set needs NAME=VALUE";
        }
        std::string error = AssignField(channel, args[++i]);
        if (!error.empty()) {
            return error;
        }
    }
    return {};
}

std::string BuildChannelFromArgs(ChannelState& channel, const std::vector<std::string>& args,
                                 std::vector<std::string>& rest) {
    bool countsGiven = false;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--set" && (args[i + 1].rfind("pointCount=", 0) == 0 ||
                                   args[i + 1].rfind("periodCount=", 0) == 0)) {
            countsGiven = true;
        }
    }
    std::string error = ApplySetOptions(channel, args, rest);
    if (!error.empty() || countsGiven) {
        return error;
    }
    int points = 0;
    int periods = 0;
    SimulatedDeviceLibrary::BufferLayout(channel.frequency, &points, &periods);
    channel.pointCount = points;
    channel.periodCount = periods;
    return {};
}

}  // namespace korvane::cli
