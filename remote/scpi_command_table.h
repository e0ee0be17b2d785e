#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "remote/scpi_client.h"
#include "remote/scpi_message.h"

namespace korvane {
class ChannelState;
}

namespace korvane::scpi {

class Instrument;

// One node of a command pattern: "[SOURce#]" is optional and takes the channel number.
struct PatternNode {
    std::string word;
    bool optional = false;
    bool channel = false;
};

// Parses "[SOURce#]:FUNCtion:SQUare:DCYCle" into its nodes.
std::vector<PatternNode> ParsePattern(std::string_view pattern);

// Matches typed header nodes against a pattern; `channel` receives the suffix of the '#' node
// (1 when it was not typed).
bool MatchPattern(const std::vector<PatternNode>& pattern, const std::vector<HeaderNode>& typed,
                  int& channel);

struct CommandContext {
    Instrument& instrument;
    ClientState& client;
    ChannelState* channel;  // the addressed channel; nullptr for commands without one
    const std::vector<std::string>& parameters;
    std::string reply;  // what a query answers
};

// Validates every parameter before it changes anything; returns 0 or an error number.
using Handler = std::function<int(CommandContext&)>;

struct CommandSpec {
    std::vector<PatternNode> pattern;
    bool query = false;
    bool common = false;   // "*RST": one node, written without the '*'
    bool channel = false;  // addresses a channel
    bool waits = false;    // runs only when every channel has sent its queued commands
    // Refused ("Hardware missing") on a device without trigger input and digital I/O.
    bool triggerOrDigitalIo = false;
    Handler handler;
};

// Marks the commands of `table` from index `first` on as trigger or digital I/O commands.
void MarkTriggerOrDigitalIo(std::vector<CommandSpec>& table, std::size_t first);

// Builders for the parts of the table.
std::vector<CommandSpec> CommonCommands();
std::vector<CommandSpec> WaveCommands();
std::vector<CommandSpec> OutputCommands();
std::vector<CommandSpec> DataCommands();
std::vector<CommandSpec> StatusCommands();
std::vector<CommandSpec> FormatCommands();
std::vector<CommandSpec> ApplyCommands();

// The whole table, built once.
const std::vector<CommandSpec>& CommandTable();

// A command bound to a channel, matched by `pattern` and answered by `handler`.
CommandSpec ChannelCommand(std::string_view pattern, bool query, Handler handler);
// A command of the instrument as a whole (SYSTem, FORMat).
CommandSpec InstrumentCommand(std::string_view pattern, bool query, Handler handler);
// A common command such as "*ESE": `name` without the '*'.
CommandSpec CommonCommand(std::string_view name, bool query, Handler handler);

}  // namespace korvane::scpi
