// The wave type, the four main values and the shape parameters of each wave type.
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "remote/scpi_command_table.h"
#include "remote/scpi_fields.h"
#include "remote/scpi_instrument.h"
#include "remote/scpi_wave_select.h"

namespace korvane::scpi {
namespace {

using C = ChannelState;

constexpr UnitRule kHertz{"HZ"};
constexpr UnitRule kVolts{"V"};
constexpr UnitRule kSeconds{"S"};
constexpr UnitRule kFraction{"", 1.0, true};
constexpr UnitRule kPercent{"PCT"};  // a bare number is already percent, as is "20PCT"
constexpr UnitRule kPlain{};

template <ShapeValue Which>
double ShapeLow(const C& c) {
    return ShapeRange(c, Which).low;
}
template <ShapeValue Which>
double ShapeHigh(const C& c) {
    return ShapeRange(c, Which).high;
}
template <ShapeValue Which>
double ShapeRead(const C& c) {
    return ReadShape(c, Which);
}
// A shape value is stored, then the wave is rebuilt, as the parameter dialogs do.
template <ShapeValue Which>
void ShapeSet(C& c, double value) {
    SetShape(c, Which, value);
}

// A wave-shape setting: its range, its reading and its setter come from the channel rules.
template <ShapeValue Which>
NumericField ShapeField(std::string_view pattern, UnitRule unit, int digits = 7,
                        bool integer = false) {
    return {pattern,         unit,   ShapeLow<Which>, ShapeHigh<Which>, ShapeRead<Which>,
            ShapeSet<Which>, digits, integer};
}

// A shape value the channel keeps as a fraction of one period, set and answered in percent.
constexpr double kPercentPerFraction = 100.0;
template <ShapeValue Which>
NumericField PercentShapeField(std::string_view pattern) {
    return {pattern,
            kPercent,
            [](const C& c) { return ShapeRange(c, Which).low * kPercentPerFraction; },
            [](const C& c) { return ShapeRange(c, Which).high * kPercentPerFraction; },
            [](const C& c) { return ReadShape(c, Which) * kPercentPerFraction; },
            [](C& c, double percent) { SetShape(c, Which, percent / kPercentPerFraction); }};
}

template <auto Member>
double Read(const C& c) {
    return static_cast<double>((c.*Member).load());
}

// A choice stored into the channel, then the wave is rebuilt.
template <auto Member>
void StoreChoice(C& c, int value) {
    (c.*Member) = value;
    c.RequestDownload();
}

void SelectWaveType(C& c, int type) {
    ChangeWaveType(c, type, ArbitraryTable::FromCurrentWave);
}

}  // namespace

const std::vector<Choice>& WaveChoices() {
    static const std::vector<Choice>
        choices{{"SINusoid", Sine},      {"RAMP", Ramp},         {"SQUare", Square},
                {"EXPonent", Exponent},  {"USER", Arbitrary},    {"TRAPezia", Trapezia},
                {"AMFM", AmFm},          {"GNOise", GaussNoise}, {"WNOise", WhiteNoise},
                {"ARBitrary", Arbitrary}};  // a second word for USER; queries answer the first
    return choices;
}

NumericField FrequencyField() {
    return {"[SOURce#]:FREQuency",
            kHertz,
            [](const C& c) { return FrequencyRange(c).low; },
            [](const C& c) { return FrequencyRange(c).high; },
            Read<&C::frequency>,
            [](C& c, double v) { c.SetFrequency(v); },
            10};
}

NumericField AmplitudeField() {
    return {"[SOURce#]:VOLTage:[AMPLitude]",
            kVolts,
            [](const C&) { return kAmplitudeRange.low; },
            [](const C&) { return kAmplitudeRange.high; },
            Read<&C::amplitude>,
            [](C& c, double v) {
                c.SetAmplitude(static_cast<float>(v));
                c.RequestDownload();
            }};
}

NumericField OffsetField() {
    return {"[SOURce#]:VOLTage:OFFSet",
            kVolts,
            [](const C&) { return kOffsetRange.low; },
            [](const C&) { return kOffsetRange.high; },
            Read<&C::offset>,
            [](C& c, double v) { c.SetOffset(v); },
            10};
}

std::vector<CommandSpec> WaveCommands() {
    using enum ShapeValue;
    std::vector<CommandSpec> table;
    AddField(table, ChoiceField{"[SOURce#]:FUNCtion:[SHAPe]", WaveChoices(),
                                [](const C& c) { return c.waveType.load(); }, SelectWaveType});
    AddField(table, FrequencyField());
    AddField(table, AmplitudeField());
    AddField(table, OffsetField());
    AddField(table, ShapeField<Phase>("[SOURce#]:PHASe", kPlain));
    // The card's outputs restart together; PHASe then sets each against the others.
    table.push_back(ChannelCommand("[SOURce#]:PHASe:SYNChronize", false,
                                   WithoutParameters([](CommandContext& context) {
                                       context.instrument.SynchronizeChannels();
                                   })));
    AddField(table, PercentShapeField<SquareDuty>("[SOURce#]:FUNCtion:SQUare:DCYCle"));
    AddField(table, PercentShapeField<RampDuty>("[SOURce#]:FUNCtion:RAMP:SYMMetry"));
    AddField(table, ShapeField<TrapeziaRise>("[SOURce#]:FUNCtion:TRAPezia:RISE", kFraction));
    AddField(table, ShapeField<TrapeziaHigh>("[SOURce#]:FUNCtion:TRAPezia:HIGH", kFraction));
    AddField(table, ShapeField<TrapeziaFall>("[SOURce#]:FUNCtion:TRAPezia:FALL", kFraction));
    AddField(table,
             ShapeField<ExponentTimeConstant>("[SOURce#]:FUNCtion:EXPonent:TCONstant", kSeconds));
    AddField(table, ChoiceField{"[SOURce#]:FUNCtion:EXPonent:RAISe",
                                {},
                                [](const C& c) { return c.exponentRaise.load(); },
                                StoreChoice<&C::exponentRaise>,
                                true});
    AddField(table, ShapeField<AmDepth>("[SOURce#]:FUNCtion:AMFM:DEPTh", kFraction));
    AddField(table, ShapeField<Carrier>("[SOURce#]:FUNCtion:AMFM:CARRier", kHertz, 10, true));
    AddField(table, ShapeField<Deviation>("[SOURce#]:FUNCtion:AMFM:DEViation", kHertz, 10, true));
    AddField(table, ChoiceField{"[SOURce#]:FUNCtion:AMFM:MODE",
                                {{"AM", 0}, {"FM", 1}},
                                [](const C& c) { return c.fmMode.load(); },
                                StoreChoice<&C::fmMode>});
    return table;
}

}  // namespace korvane::scpi
