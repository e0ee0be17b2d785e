// The IEEE 488.2 common commands and the SYSTem subsystem.
#include "engine/scpi/scpi_command_table.h"
#include "engine/scpi/scpi_fields.h"
#include "engine/scpi/scpi_instrument.h"

namespace korvane::scpi {
namespace {

CommandSpec Common(std::string_view name, bool query, Handler handler) {
    CommandSpec spec;
    spec.pattern = ParsePattern(name);
    spec.query = query;
    spec.common = true;
    spec.handler = std::move(handler);
    return spec;
}

CommandSpec System(std::string_view pattern, Handler handler) {
    CommandSpec spec;
    spec.pattern = ParsePattern(pattern);
    spec.query = true;
    spec.handler = std::move(handler);
    return spec;
}

// Runs `action` when the command has no parameters.
Handler WithoutParameters(std::function<void(CommandContext&)> action) {
    return [action = std::move(action)](CommandContext& context) {
        if (int error = ExpectParameters(context, 0); error != 0) {
            return error;
        }
        action(context);
        return 0;
    };
}

}  // namespace

std::vector<CommandSpec> CommonCommands() {
    std::vector<CommandSpec> table;
    table.push_back(Common("IDN", true, WithoutParameters([](CommandContext& context) {
                               context.reply = context.instrument.Identity();
                           })));
    table.push_back(Common("RST", false, WithoutParameters([](CommandContext& context) {
                               context.instrument.ResetChannels();
                           })));
    table.push_back(Common("CLS", false, WithoutParameters([](CommandContext& context) {
                               context.client.errors.Clear();
                           })));
    // Both run only once every channel has sent its queued commands to its device.
    CommandSpec opc =
        Common("OPC", true,
               WithoutParameters([](CommandContext& context) { context.reply = FlagText(true); }));
    opc.waits = true;
    table.push_back(std::move(opc));
    CommandSpec wai = Common("WAI", false, WithoutParameters([](CommandContext&) {}));
    wai.waits = true;
    table.push_back(std::move(wai));

    table.push_back(System("SYSTem:ERRor:[NEXT]", WithoutParameters([](CommandContext& context) {
                               context.reply = context.client.errors.Pop();
                           })));
    table.push_back(System("SYSTem:ERRor:COUNt", WithoutParameters([](CommandContext& context) {
                               context.reply = std::to_string(context.client.errors.Count());
                           })));
    table.push_back(System("SYSTem:VERSion", WithoutParameters([](CommandContext& context) {
                               context.reply = std::string("1999.0");
                           })));
    return table;
}

}  // namespace korvane::scpi
