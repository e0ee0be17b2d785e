// The IEEE 488.2 status reporting of one client: the standard event status register with its
// enable mask, the status byte with its service request enable mask, *OPC and the self-test.
#include <cmath>

#include "remote/scpi_command_table.h"
#include "remote/scpi_error_queue.h"
#include "remote/scpi_fields.h"
#include "remote/scpi_instrument.h"

namespace korvane::scpi {
namespace {

// Status byte bits.
constexpr int kErrorAvailable = 4;        // the error queue is not empty
constexpr int kEventSummary = 32;         // an enabled standard event is set
constexpr int kMasterSummary = 64;        // an enabled status byte bit is set
constexpr int kSelfTestFailedResult = 1;  // what *TST? answers when a device does not answer

// The event register as it stands now: the events of the errors pushed since the last look,
// and operation complete once the channels have sent what *OPC waited for.
int& CurrentEvents(CommandContext& context) {
    ClientState& client = context.client;
    client.events |= client.errors.TakeEvents();
    if (client.operationCompletePending && context.instrument.OperationsCompleteLocked()) {
        client.events |= kOperationComplete;
        client.operationCompletePending = false;
    }
    return client.events;
}

int StatusByte(CommandContext& context) {
    int status = CurrentEvents(context) & context.client.eventEnable ? kEventSummary : 0;
    if (context.client.errors.Count() > 0) {
        status |= kErrorAvailable;
    }
    if (status & context.client.serviceEnable) {
        status |= kMasterSummary;
    }
    return status;
}

// A mask register: *ESE 36, *SRE 32 (0..255; MIN, MAX and DEF too).
CommandSpec MaskSetting(std::string_view name, int ClientState::*mask, int ignoredBits) {
    return CommonCommand(name, false, [mask, ignoredBits](CommandContext& context) {
        if (int error = ExpectParameters(context, 1); error != 0) {
            return error;
        }
        Numeric number;
        if (int error = ParseNumeric(context.parameters[0], {}, number); error != 0) {
            return error;
        }
        const double value = number.kind == Numeric::Maximum ? 255.0
                             : number.kind == Numeric::Value ? std::round(number.value)
                                                             : 0.0;
        if (!(value >= 0.0 && value <= 255.0)) {
            return static_cast<int>(kDataOutOfRange);
        }
        context.client.*mask = static_cast<int>(value) & ~ignoredBits;
        return 0;
    });
}

CommandSpec MaskQuery(std::string_view name, int ClientState::*mask) {
    return CommonCommand(name, true, WithoutParameters([mask](CommandContext& context) {
                             context.reply = std::to_string(context.client.*mask);
                         }));
}

}  // namespace

std::vector<CommandSpec> StatusCommands() {
    std::vector<CommandSpec> table;
    table.push_back(CommonCommand("ESR", true, WithoutParameters([](CommandContext& context) {
                                      int& events = CurrentEvents(context);
                                      context.reply = std::to_string(events);
                                      events = 0;  // reading clears the register
                                  })));
    table.push_back(MaskSetting("ESE", &ClientState::eventEnable, 0));
    table.push_back(MaskQuery("ESE", &ClientState::eventEnable));
    // The summary bit of the status byte is not a service request source.
    table.push_back(MaskSetting("SRE", &ClientState::serviceEnable, kMasterSummary));
    table.push_back(MaskQuery("SRE", &ClientState::serviceEnable));
    table.push_back(CommonCommand("STB", true, WithoutParameters([](CommandContext& context) {
                                      context.reply = std::to_string(StatusByte(context));
                                  })));
    table.push_back(CommonCommand("OPC", false, WithoutParameters([](CommandContext& context) {
                                      context.client.operationCompletePending = true;
                                  })));
    // The self-test asks nothing of the devices: it reports whether each one still answers the
    // worker's checks.
    table.push_back(CommonCommand("TST", true, WithoutParameters([](CommandContext& context) {
                                      const bool passed = context.instrument.DevicesAnswer();
                                      if (!passed) {
                                          context.client.errors.Push(kSelfTestFailed);
                                      }
                                      context.reply =
                                          std::to_string(passed ? 0 : kSelfTestFailedResult);
                                  })));
    return table;
}

}  // namespace korvane::scpi
