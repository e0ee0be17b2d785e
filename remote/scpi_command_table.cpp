#include "remote/scpi_command_table.h"

namespace korvane::scpi {
namespace {

bool MatchFrom(const std::vector<PatternNode>& pattern, std::size_t p,
               const std::vector<HeaderNode>& typed, std::size_t t, int& channel) {
    if (p == pattern.size()) {
        return t == typed.size();
    }
    const PatternNode& node = pattern[p];
    if (t < typed.size() && MnemonicMatches(typed[t].mnemonic, node.word) &&
        (!typed[t].hasSuffix || node.channel)) {
        const int saved = channel;
        if (typed[t].hasSuffix) {
            channel = typed[t].suffix;
        }
        if (MatchFrom(pattern, p + 1, typed, t + 1, channel)) {
            return true;
        }
        channel = saved;
    }
    return node.optional && MatchFrom(pattern, p + 1, typed, t, channel);
}

}  // namespace

std::vector<PatternNode> ParsePattern(std::string_view pattern) {
    std::vector<PatternNode> nodes;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(':', start);
        if (end == std::string_view::npos) {
            end = pattern.size();
        }
        std::string_view word = pattern.substr(start, end - start);
        PatternNode node;
        if (word.size() > 2 && word.front() == '[' && word.back() == ']') {
            node.optional = true;
            word = word.substr(1, word.size() - 2);
        }
        if (!word.empty() && word.back() == '#') {
            node.channel = true;
            word.remove_suffix(1);
        }
        node.word = word;
        nodes.push_back(std::move(node));
        start = end + 1;
    }
    return nodes;
}

bool MatchPattern(const std::vector<PatternNode>& pattern, const std::vector<HeaderNode>& typed,
                  int& channel) {
    channel = 1;
    return MatchFrom(pattern, 0, typed, 0, channel);
}

CommandSpec InstrumentCommand(std::string_view pattern, bool query, Handler handler) {
    CommandSpec spec;
    spec.pattern = ParsePattern(pattern);
    spec.query = query;
    spec.handler = std::move(handler);
    return spec;
}

CommandSpec ChannelCommand(std::string_view pattern, bool query, Handler handler) {
    CommandSpec spec = InstrumentCommand(pattern, query, std::move(handler));
    spec.channel = true;
    return spec;
}

CommandSpec CommonCommand(std::string_view name, bool query, Handler handler) {
    CommandSpec spec = InstrumentCommand(name, query, std::move(handler));
    spec.common = true;
    return spec;
}

void MarkTriggerOrDigitalIo(std::vector<CommandSpec>& table, std::size_t first) {
    for (std::size_t i = first; i < table.size(); ++i) {
        table[i].triggerOrDigitalIo = true;
    }
}

const std::vector<CommandSpec>& CommandTable() {
    static const std::vector<CommandSpec> table = [] {
        std::vector<CommandSpec> all;
        for (auto part : {CommonCommands, StatusCommands, FormatCommands, WaveCommands,
                          ApplyCommands, OutputCommands, DataCommands}) {
            for (CommandSpec& spec : part()) {
                all.push_back(std::move(spec));
            }
        }
        return all;
    }();
    return table;
}

}  // namespace korvane::scpi
