#pragma once

#include <string>
#include <vector>

#include "engine/channel_state.h"

namespace korvane::cli {

// The ChannelState fields that can be named on the command line, in declaration order.
const std::vector<std::string>& FieldNames();

// Stores "NAME=VALUE" directly into the field (no device commands are queued); a field with a
// channel rule is limited to its range as the panel limits it.
// Returns "" on success, else one line saying what is wrong.
std::string AssignField(ChannelState& channel, const std::string& assignment);

// The field's value as text ("%g"-like for numbers); "" for an unknown name.
std::string FieldText(const ChannelState& channel, const std::string& name);

// Splits "--set NAME=VALUE" pairs off `args` and applies them. Other arguments are returned in
// `rest`. Returns "" or the first error line.
std::string ApplySetOptions(ChannelState& channel, const std::vector<std::string>& args,
                            std::vector<std::string>& rest);

// Applies the --set options, then, unless pointCount or periodCount was given, takes both from
// the simulator's rule for the channel's frequency (as DDSSetFrequency would).
std::string BuildChannelFromArgs(ChannelState& channel, const std::vector<std::string>& args,
                                 std::vector<std::string>& rest);

}  // namespace korvane::cli
