// The output switches and the trigger.
#include "engine/channel_state.h"
#include "remote/scpi_command_table.h"
#include "remote/scpi_error_queue.h"
#include "remote/scpi_fields.h"

namespace korvane::scpi {
namespace {

using C = ChannelState;

constexpr UnitRule kDecibel{"DB"};
constexpr int kAttenuationDb = 20;

double Attenuated(const C& c) {
    return static_cast<double>(c.attenuate20dB);
}

// OUTPut:ATTenuation takes the two positions of the -20 dB switch: 0 or 20 (dB).
int SetAttenuation(CommandContext& context) {
    if (int error = ExpectParameters(context, 1); error != 0) {
        return error;
    }
    Numeric number;
    if (int error = ParseNumeric(context.parameters[0], kDecibel, number); error != 0) {
        return error;
    }
    int on = 0;
    if (number.kind == Numeric::Default) {
        on = DefaultOf(*context.channel, Attenuated) != 0.0 ? 1 : 0;
    } else if (number.kind == Numeric::Maximum ||
               (number.kind == Numeric::Value && number.value == kAttenuationDb)) {
        on = 1;
    } else if (number.kind == Numeric::Value && number.value != 0.0) {
        return kIllegalParameterValue;
    }
    context.channel->SetAttenuate20dB(on);
    return 0;
}

int QueryAttenuation(CommandContext& context) {
    if (int error = ExpectParameters(context, 0); error != 0) {
        return error;
    }
    context.reply = std::to_string(context.channel->attenuate20dB != 0 ? kAttenuationDb : 0);
    return 0;
}

}  // namespace

std::vector<CommandSpec> OutputCommands() {
    std::vector<CommandSpec> table;
    AddField(table, ChoiceField{"[SOURce#]:OUTPut#:[STATe]",
                                {},
                                [](const C& c) { return c.outputOn.load(); },
                                [](C& c, int on) {
                                    c.SetOutputOn(on);
                                    c.RequestDownload();
                                },
                                true});
    table.push_back(ChannelCommand("[SOURce#]:OUTPut#:ATTenuation", false, SetAttenuation));
    table.push_back(ChannelCommand("[SOURce#]:OUTPut#:ATTenuation", true, QueryAttenuation));
    AddField(table, ChoiceField{"[SOURce#]:OUTPut#:SWAVe",
                                {},
                                [](const C& c) { return c.singleWave.load(); },
                                [](C& c, int on) { c.SetSingleWave(on); },
                                true});
    const std::size_t firstTrigger = table.size();
    AddField(table, ChoiceField{"[SOURce#]:TRIGger:SOURce",
                                {{"IMMediate", 0}, {"EXTernal", 1}},
                                [](const C& c) { return c.extTrigger.load(); },
                                [](C& c, int external) { c.SetExtTrigger(external); }});
    // The edge switch: right ("Raise") is 1, left ("Fall") is 0.
    AddField(table, ChoiceField{"[SOURce#]:TRIGger:SLOPe",
                                {{"POSitive", 1}, {"NEGative", 0}},
                                [](const C& c) { return c.triggerEdge.load(); },
                                [](C& c, int edge) { c.SetTriggerEdge(edge); }});
    MarkTriggerOrDigitalIo(table, firstTrigger);
    return table;
}

}  // namespace korvane::scpi
