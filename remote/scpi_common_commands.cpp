// The IEEE 488.2 common commands and the SYSTem subsystem.
#include "remote/scpi_command_table.h"
#include "remote/scpi_fields.h"
#include "remote/scpi_instrument.h"

namespace korvane::scpi {
namespace {

CommandSpec System(std::string_view pattern, Handler handler) {
    return InstrumentCommand(pattern, true, std::move(handler));
}

}  // namespace

std::vector<CommandSpec> CommonCommands() {
    std::vector<CommandSpec> table;
    table.push_back(CommonCommand("IDN", true, WithoutParameters([](CommandContext& context) {
                                      context.reply = context.instrument.Identity();
                                  })));
    table.push_back(CommonCommand("RST", false, WithoutParameters([](CommandContext& context) {
                                      context.instrument.ResetChannels();
                                      context.client.realFormat = false;
                                      context.client.swappedBytes = false;
                                  })));
    table.push_back(CommonCommand("CLS", false, WithoutParameters([](CommandContext& context) {
                                      context.client.errors.Clear();
                                      context.client.errors.TakeEvents();
                                      context.client.events = 0;
                                      context.client.operationCompletePending = false;
                                  })));
    // Both run only once every channel has sent its queued commands to its device.
    CommandSpec opc = CommonCommand("OPC", true, WithoutParameters([](CommandContext& context) {
                                        context.reply = FlagText(true);
                                    }));
    opc.waits = true;
    table.push_back(std::move(opc));
    CommandSpec wai = CommonCommand("WAI", false, WithoutParameters([](CommandContext&) {}));
    wai.waits = true;
    table.push_back(std::move(wai));

    table.push_back(System("SYSTem:ERRor:[NEXT]", WithoutParameters([](CommandContext& context) {
                               context.reply = context.client.errors.Pop();
                           })));
    table.push_back(System("SYSTem:ERRor:ALL", WithoutParameters([](CommandContext& context) {
                               context.reply = context.client.errors.Pop();
                               while (context.client.errors.Count() > 0) {
                                   context.reply += ',';
                                   context.reply += context.client.errors.Pop();
                               }
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
