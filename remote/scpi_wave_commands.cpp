// The wave type, the four main values and the shape parameters of each wave type.
#include <algorithm>

#include "engine/channel_state.h"
#include "remote/scpi_command_table.h"
#include "remote/scpi_fields.h"
#include "remote/scpi_wave_select.h"

namespace korvane::scpi {
namespace {

using C = ChannelState;

constexpr UnitRule kHertz{"HZ"};
constexpr UnitRule kVolts{"V"};
constexpr UnitRule kSeconds{"S"};
constexpr UnitRule kFraction{"", 1.0, true};
constexpr UnitRule kPlain{};

double Zero(const C&) {
    return 0.0;
}
double One(const C&) {
    return 1.0;
}

// A shape value is stored, then the wave is rebuilt, as the parameter dialogs do.
template <auto Member, typename T>
void StoreShape(C& c, double value) {
    (c.*Member) = static_cast<T>(value);
    c.RequestDownload();
}

template <auto Member>
double Read(const C& c) {
    return static_cast<double>((c.*Member).load());
}

// The trapezia duties never add up to more than one period: each is limited to what the other
// two leave, as the Trapezia dialog limits them.
template <auto First, auto Second>
double Remaining(const C& c) {
    return std::max(0.0, (1.0 - static_cast<double>((c.*First).load())) -
                             static_cast<double>((c.*Second).load()));
}

}  // namespace

const std::vector<Choice>& WaveChoices() {
    static const std::vector<Choice> choices{
        {"SINusoid", Sine},     {"RAMP", Ramp},         {"SQUare", Square},
        {"EXPonent", Exponent}, {"USER", Arbitrary},    {"TRAPezia", Trapezia},
        {"AMFM", AmFm},         {"GNOise", GaussNoise}, {"WNOise", WhiteNoise}};
    return choices;
}

NumericField FrequencyField() {
    return {"[SOURce#]:FREQuency",
            kHertz,
            [](const C&) { return kMinFrequency; },
            [](const C& c) { return MaxFrequency(c.waveType); },
            Read<&C::frequency>,
            [](C& c, double v) { c.SetFrequency(v); },
            10};
}

NumericField AmplitudeField() {
    return {"[SOURce#]:VOLTage:[AMPLitude]",
            kVolts,
            Zero,
            [](const C&) { return static_cast<double>(kMaxAmplitude); },
            Read<&C::amplitude>,
            [](C& c, double v) {
                c.SetAmplitude(static_cast<float>(v));
                c.RequestDownload();
            }};
}

NumericField OffsetField() {
    return {"[SOURce#]:VOLTage:OFFSet",
            kVolts,
            [](const C&) { return -kMaxOffset; },
            [](const C&) { return kMaxOffset; },
            Read<&C::offset>,
            [](C& c, double v) { c.SetOffset(v); },
            10};
}

std::vector<CommandSpec> WaveCommands() {
    std::vector<CommandSpec> table;
    AddField(table, ChoiceField{"[SOURce#]:FUNCtion:[SHAPe]", WaveChoices(),
                                [](const C& c) { return c.waveType.load(); }, SelectWaveType});
    AddField(table, FrequencyField());
    AddField(table, AmplitudeField());
    AddField(table, OffsetField());
    AddField(table, NumericField{"[SOURce#]:PHASe", kPlain, Zero, One, Read<&C::phase>,
                                 StoreShape<&C::phase, float>});
    AddField(table, NumericField{"[SOURce#]:FUNCtion:SQUare:DCYCle", kFraction, Zero, One,
                                 Read<&C::squareDuty>, StoreShape<&C::squareDuty, float>});
    AddField(table, NumericField{"[SOURce#]:FUNCtion:RAMP:SYMMetry", kFraction, Zero, One,
                                 Read<&C::rampDuty>, StoreShape<&C::rampDuty, float>});
    AddField(table, NumericField{"[SOURce#]:FUNCtion:TRAPezia:RISE", kFraction, Zero,
                                 Remaining<&C::trapeziaHigh, &C::trapeziaFall>,
                                 Read<&C::trapeziaRise>, StoreShape<&C::trapeziaRise, float>});
    AddField(table, NumericField{"[SOURce#]:FUNCtion:TRAPezia:HIGH", kFraction, Zero,
                                 Remaining<&C::trapeziaRise, &C::trapeziaFall>,
                                 Read<&C::trapeziaHigh>, StoreShape<&C::trapeziaHigh, float>});
    AddField(table, NumericField{"[SOURce#]:FUNCtion:TRAPezia:FALL", kFraction, Zero,
                                 Remaining<&C::trapeziaHigh, &C::trapeziaRise>,
                                 Read<&C::trapeziaFall>, StoreShape<&C::trapeziaFall, float>});
    AddField(table, NumericField{"[SOURce#]:FUNCtion:EXPonent:TCONstant", kSeconds, Zero, One,
                                 Read<&C::exponentTimeConstant>,
                                 StoreShape<&C::exponentTimeConstant, float>});
    AddField(table, ChoiceField{"[SOURce#]:FUNCtion:EXPonent:RAISe",
                                {},
                                [](const C& c) { return c.exponentRaise.load(); },
                                [](C& c, int v) { StoreShape<&C::exponentRaise, int>(c, v); },
                                true});
    AddField(table, NumericField{"[SOURce#]:FUNCtion:AMFM:DEPTh", kFraction, Zero, One,
                                 Read<&C::amDepth>, StoreShape<&C::amDepth, float>});
    AddField(table,
             NumericField{"[SOURce#]:FUNCtion:AMFM:CARRier", kHertz, Zero,
                          [](const C&) { return kMaxSineFrequency; }, Read<&C::carrierFrequency>,
                          StoreShape<&C::carrierFrequency, int>, 10, true});
    AddField(table, NumericField{"[SOURce#]:FUNCtion:AMFM:DEViation", kHertz, Zero,
                                 [](const C&) { return kMaxSineFrequency; }, Read<&C::fmDeviation>,
                                 StoreShape<&C::fmDeviation, int>, 10, true});
    AddField(table, ChoiceField{"[SOURce#]:FUNCtion:AMFM:MODE",
                                {{"AM", 0}, {"FM", 1}},
                                [](const C& c) { return c.fmMode.load(); },
                                [](C& c, int v) { StoreShape<&C::fmMode, int>(c, v); }});
    return table;
}

}  // namespace korvane::scpi
