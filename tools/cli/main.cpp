// korvaneawg-cli: the engine and the file formats from the shell, for scripts and checks.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/cli/channel_fields.h"
#include "tools/cli/cli_command.h"

namespace korvane::cli {

int UsageError(const std::string& message) {
    std::fprintf(stderr, "korvaneawg-cli: %s\n", message.c_str());
    return kUsageError;
}

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

namespace {

void PrintHelp() {
    std::printf(
        "usage: korvaneawg-cli COMMAND [ARGS]\n"
        "       korvaneawg-cli --help | --version\n\ncommands:\n");
    for (const Command& command : Commands()) {
        std::printf("  %s\n", command.usage.c_str());
    }
    std::printf("\nNAME in --set NAME=VALUE is a channel field:\n ");
    for (const std::string& name : FieldNames()) {
        std::printf(" %s", name.c_str());
    }
    std::printf(
        "\n\nenvironment: KVDDS_SIMULATED_DEVICES (simulated generators, default 1),\n"
        "KVDDS_LIBRARY (driver shared object), KVDDS_TRACE (file receiving every library call)\n");
}

}  // namespace
}  // namespace korvane::cli

int main(int argc, char** argv) {
    using namespace korvane::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fprintf(stderr, "korvaneawg-cli: no command given; try --help\n");
        return kUsageError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return kOk;
    }
    if (args[0] == "--version") {
        std::printf("korvaneawg-cli %s\n", KORVANE_VERSION);
        return kOk;
    }
    for (const Command& command : Commands()) {
        if (command.name == args[0]) {
            return command.run({args.begin() + 1, args.end()});
        }
    }
    std::fprintf(stderr, "korvaneawg-cli: unknown command '%s'; try --help\n", args[0].c_str());
    return kUsageError;
}
