#include "view/dialogs/wave_parameter_commands.h"

#include <cstdint>
#include <optional>

#include "document/command_ids.h"
#include "document/command_map.h"
#include "engine/channel_state.h"
#include "view/dialogs/wave_parameter_dialogs.h"

namespace korvane {

void RegisterWaveParameterCommands(CommandMap& commands, std::function<ChannelState*()> channel,
                                   QWidget* parent) {
    const struct {
        int command;
        int waveType;
    } parameterCommands[] = {{kCmdSquare, Square},
                             {kCmdRamp, Ramp},
                             {kCmdTrapezia, Trapezia},
                             {kCmdExponent, Exponent},
                             {kCmdAmFm, AmFm}};
    for (const auto& entry : parameterCommands) {
        const int type = entry.waveType;
        commands.OnCommand(entry.command, [channel, type, parent] {
            if (ChannelState* state = channel()) {
                RunWaveParameterDialog(*state, type, parent);
            }
        });
        commands.OnUpdate(entry.command, [channel, type](CommandUi& ui) {
            const ChannelState* state = channel();
            ui.enabled = state != nullptr && state->waveType == type;
        });
    }
    commands.OnCommand(kCmdWaveNumber, [channel, parent] {
        ChannelState* state = channel();
        if (state == nullptr) {
            return;
        }
        if (const std::optional<int> number = RunWaveNumberDialog(state->waveNumber, parent)) {
            state->SetWaveNumber(static_cast<std::int16_t>(*number));
        }
    });
}

}  // namespace korvane
