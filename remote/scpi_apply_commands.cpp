// APPLy:<shape> frequency,amplitude,offset: a wave type and its three main values in one command.
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "remote/scpi_command_table.h"
#include "remote/scpi_error_queue.h"
#include "remote/scpi_fields.h"
#include "remote/scpi_wave_select.h"

namespace korvane::scpi {
namespace {

// Every value is checked before anything changes; a value left out keeps the channel's own.
// The frequency is limited by what the new wave type allows.
int Apply(CommandContext& context, int shape) {
    const std::vector<std::string>& texts = context.parameters;
    if (texts.size() > 3) {
        return kParameterNotAllowed;
    }
    ChannelState& channel = *context.channel;
    const NumericField fields[] = {FrequencyField(), AmplitudeField(), OffsetField()};
    double values[3] = {};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (int error = ResolveNumeric(fields[i], channel, texts[i], values[i]); error != 0) {
            return error;
        }
    }
    ChangeWaveType(channel, shape, ArbitraryTable::FromCurrentWave);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i == 0) {
            ResolveNumeric(fields[0], channel, texts[0], values[0]);  // against the new type
        }
        fields[i].set(channel, values[i]);
    }
    return 0;
}

// "SIN 1000,2,0": the wave type's short word and the three values, as one quoted string.
int QueryApply(CommandContext& context) {
    if (int error = ExpectParameters(context, 0); error != 0) {
        return error;
    }
    const ChannelState& channel = *context.channel;
    std::string shape = std::to_string(channel.waveType.load());
    for (const Choice& choice : WaveChoices()) {
        if (choice.value == channel.waveType) {
            shape = ShortForm(choice.pattern);
            break;  // the first word of a wave type: USER, not ARB
        }
    }
    const NumericField frequency = FrequencyField();
    const NumericField amplitude = AmplitudeField();
    const NumericField offset = OffsetField();
    context.reply = "\"" + shape + " " + FormatNumber(frequency.get(channel), frequency.digits) +
                    "," + FormatNumber(amplitude.get(channel), amplitude.digits) + "," +
                    FormatNumber(offset.get(channel), offset.digits) + "\"";
    return 0;
}

}  // namespace

std::vector<CommandSpec> ApplyCommands() {
    std::vector<CommandSpec> table;
    for (const Choice& choice : WaveChoices()) {
        const std::string pattern = "[SOURce#]:APPLy:" + std::string(choice.pattern);
        const int shape = choice.value;
        table.push_back(ChannelCommand(
            pattern, false, [shape](CommandContext& context) { return Apply(context, shape); }));
    }
    table.push_back(ChannelCommand("[SOURce#]:APPLy", true, QueryApply));
    return table;
}

}  // namespace korvane::scpi
