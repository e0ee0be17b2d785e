#pragma once

#include <functional>

class QWidget;

namespace korvane {

class ChannelState;
class CommandMap;

// The Wave Parameter menu: each shape's parameter dialog, enabled while that wave type is
// chosen, and the Wave Number dialog. `channel` answers the channel the dialogs edit (none while
// the window has no channel yet); `parent` owns the dialogs.
void RegisterWaveParameterCommands(CommandMap& commands, std::function<ChannelState*()> channel,
                                   QWidget* parent);

}  // namespace korvane
