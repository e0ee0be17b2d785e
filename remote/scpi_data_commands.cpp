// The point table, the measurement, the digital I/O words and the sweep.
#include <algorithm>
#include <cmath>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "remote/scpi_command_table.h"
#include "remote/scpi_error_queue.h"
#include "remote/scpi_fields.h"
#include "remote/scpi_instrument.h"
#include "remote/scpi_point_block.h"
#include "remote/scpi_wave_select.h"

namespace korvane::scpi {
namespace {

using C = ChannelState;

constexpr UnitRule kVolts{"V"};
constexpr UnitRule kHertz{"HZ"};
constexpr UnitRule kMilliseconds{"S", 1000.0};
constexpr UnitRule kPlain{};

// The device's input word holds the input pins I0..I3 in bits 2..5 (bits 6..7 carry a serial
// number); DIGital:INPut? answers the pins alone as bits 0..3.
constexpr unsigned kFirstInputPinBit = 2;
constexpr unsigned kInputPins = 0xFu;

// What MEASure:FREQuency? answers for a reading that is not a finite frequency of zero or more
// (a driver fault): the not-a-number value of SCPI replies, so that a script can tell it from a
// true 0 Hz.
constexpr std::string_view kNotANumberReply = "9.91E+37";

// The points a DATA:ARBitrary command carries: a list of numbers, or one REAL,32 block in the
// client's byte order.
int ReadPoints(const CommandContext& context, std::vector<float>& points) {
    const std::vector<std::string>& texts = context.parameters;
    if (texts.empty()) {
        return kMissingParameter;
    }
    std::string_view bytes;
    if (texts.size() == 1 && BlockBytes(texts[0], bytes)) {
        return DecodeReal32(bytes, context.client.swappedBytes, points) ? 0 : kInvalidBlockData;
    }
    if (texts.size() > static_cast<std::size_t>(kMaxPoints)) {
        return kTooMuchData;
    }
    points.assign(texts.size(), 0.0f);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        Numeric number;
        if (int error = ParseNumeric(texts[i], kVolts, number); error != 0) {
            return error;
        }
        if (number.kind != Numeric::Value) {
            return kDataTypeError;
        }
        points[i] = static_cast<float>(number.value);
    }
    return 0;
}

// DATA:ARBitrary v1,v2,... or a block: one period of 1..4096 points in volts, each within the
// output's full scale. The whole table is checked before it changes; the channel then plays it
// as its arbitrary wave.
int LoadPoints(CommandContext& context) {
    std::vector<float> points;
    if (int error = ReadPoints(context, points); error != 0) {
        return error;
    }
    if (points.empty()) {
        return kMissingParameter;
    }
    if (points.size() > static_cast<std::size_t>(kMaxPoints)) {
        return kTooMuchData;
    }
    for (const float point : points) {
        if (!std::isfinite(point) || std::fabs(point) > kFullScaleVolts) {
            return kDataOutOfRange;
        }
    }
    C& c = *context.channel;
    for (std::size_t i = 0; i < points.size(); ++i) {
        c.arbPoints[i] = points[i];
    }
    c.arbPointCount = static_cast<int>(points.size());
    ChangeWaveType(c, Arbitrary, ArbitraryTable::Keep);
    return 0;
}

int QueryPoints(CommandContext& context) {
    if (int error = ExpectParameters(context, 0); error != 0) {
        return error;
    }
    const C& c = *context.channel;
    const int count = LimitPointCount(c.arbPointCount);
    std::vector<float> points(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = c.arbPoints[i];
    }
    if (context.client.realFormat) {
        context.reply = EncodeReal32Block(points, context.client.swappedBytes);
        return 0;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) {
            context.reply.push_back(',');
        }
        context.reply += FormatNumber(points[i], 7);
    }
    return 0;
}

// A query answering one number read from the channel.
CommandSpec Reading(std::string_view pattern, double (*read)(const C&), int digits) {
    return ChannelCommand(pattern, true, [read, digits](CommandContext& context) {
        if (int error = ExpectParameters(context, 0); error != 0) {
            return error;
        }
        context.reply = FormatNumber(read(*context.channel), digits);
        return 0;
    });
}

int QueryMeasuredFrequency(CommandContext& context) {
    if (int error = ExpectParameters(context, 0); error != 0) {
        return error;
    }
    const double hertz = context.channel->measuredFrequency;
    const bool valid = std::isfinite(hertz) && hertz >= 0.0;
    // hertz + 0.0 answers -0 as 0.
    context.reply = valid ? FormatNumber(hertz + 0.0, 10) : std::string(kNotANumberReply);
    return 0;
}

// A running sweep takes new limits at once, as if it were switched off and on again.
void RestartRunningSweep(C& c) {
    if (c.sweepOn == 1) {
        c.PrepareSweep();
    }
}

double DigitalOutWord(const C& c) {
    return static_cast<double>(c.digitalOut);
}
double MinSweepFrequency(const C& c) {
    return SweepFrequencyRange(c).low;
}
double MaxSweepFrequency(const C& c) {
    return SweepFrequencyRange(c).high;
}

}  // namespace

std::vector<CommandSpec> DataCommands() {
    std::vector<CommandSpec> table;
    table.push_back(ChannelCommand("[SOURce#]:DATA:ARBitrary", false, LoadPoints));
    table.push_back(ChannelCommand("[SOURce#]:DATA:ARBitrary", true, QueryPoints));

    table.push_back(ChannelCommand("[SOURce#]:MEASure:FREQuency", true, QueryMeasuredFrequency));
    table.push_back(Reading(
        "[SOURce#]:MEASure:COUNt", [](const C& c) { return static_cast<double>(c.counterValue); },
        10));
    AddField(table, ChoiceField{"[SOURce#]:MEASure:MODE",
                                {{"FREQuency", 1}, {"COUNt", 0}},
                                [](const C& c) { return c.measureFrequency.load(); },
                                [](C& c, int frequency) { c.SetMeasureFrequency(frequency); }});
    AddField(table, ChoiceField{"[SOURce#]:MEASure:STATe",
                                {},
                                [](const C& c) { return c.measureOn.load(); },
                                [](C& c, int on) { c.SetMeasureOn(on); },
                                true});
    table.push_back(ChannelCommand("[SOURce#]:COUNter:RESet", false, [](CommandContext& context) {
        if (int error = ExpectParameters(context, 0); error != 0) {
            return error;
        }
        context.channel->resetCounterPending = 1;  // the worker resets before its next reading
        return 0;
    }));

    const std::size_t firstDigital = table.size();
    table.push_back(ChannelCommand("[SOURce#]:DIGital:OUTPut", false, [](CommandContext& context) {
        if (int error = ExpectParameters(context, 1); error != 0) {
            return error;
        }
        Numeric number;
        if (int error = ParseNumeric(context.parameters[0], kPlain, number); error != 0) {
            return error;
        }
        double word = number.kind == Numeric::Maximum   ? kDigitalOutMask
                      : number.kind == Numeric::Minimum ? 0.0
                      : number.kind == Numeric::Default
                          ? DefaultOf(*context.channel, DigitalOutWord)
                          : std::round(number.value);
        if (word < 0.0 || word > kDigitalOutMask) {
            return static_cast<int>(kDataOutOfRange);
        }
        StoreDigitalOut(*context.channel, static_cast<unsigned>(word));
        return 0;
    }));
    table.push_back(Reading("[SOURce#]:DIGital:OUTPut", DigitalOutWord, 10));
    table.push_back(Reading(
        "[SOURce#]:DIGital:INPut",
        [](const C& c) {
            return static_cast<double>((c.digitalIn >> kFirstInputPinBit) & kInputPins);
        },
        10));
    AddField(table, ChoiceField{"[SOURce#]:DIGital:MODE",
                                {{"PATTern", 0}, {"PROGrammable", 1}},
                                [](const C& c) { return c.dioMode.load(); },
                                [](C& c, int mode) { c.SetDioMode(mode); }});
    MarkTriggerOrDigitalIo(table, firstDigital);

    AddField(table,
             NumericField{"[SOURce#]:SWEep:STARt", kHertz, MinSweepFrequency, MaxSweepFrequency,
                          [](const C& c) { return c.sweepStartFrequency.load(); },
                          [](C& c, double v) {
                              c.sweepStartFrequency = v;
                              RestartRunningSweep(c);
                          },
                          10});
    AddField(table,
             NumericField{"[SOURce#]:SWEep:STOP", kHertz, MinSweepFrequency, MaxSweepFrequency,
                          [](const C& c) { return c.sweepEndFrequency.load(); },
                          [](C& c, double v) {
                              c.sweepEndFrequency = v;
                              RestartRunningSweep(c);
                          },
                          10});
    AddField(table,
             NumericField{"[SOURce#]:SWEep:STEPtime", kMilliseconds,
                          [](const C&) { return kSweepSpeedRange.low; },
                          [](const C&) { return kSweepSpeedRange.high; },
                          [](const C& c) { return static_cast<double>(c.sweepSpeed); },
                          [](C& c, double v) { c.sweepSpeed = static_cast<int>(v); }, 10, true});
    table.push_back(ChannelCommand("[SOURce#]:SWEep:STATe", false, [](CommandContext& context) {
        if (int error = ExpectParameters(context, 1); error != 0) {
            return error;
        }
        int on = 0;
        if (int error = ParseBoolean(context.parameters[0], on); error != 0) {
            return error;
        }
        context.instrument.SetSweep(*context.channel, on != 0);
        return 0;
    }));
    table.push_back(ChannelCommand("[SOURce#]:SWEep:STATe", true, [](CommandContext& context) {
        if (int error = ExpectParameters(context, 0); error != 0) {
            return error;
        }
        context.reply = FlagText(context.channel->sweepOn != 0);
        return 0;
    }));
    return table;
}

}  // namespace korvane::scpi
