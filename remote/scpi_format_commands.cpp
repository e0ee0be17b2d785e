// FORMat: how a client's point tables travel (text or REAL,32 blocks, and their byte order).
#include "remote/scpi_command_table.h"
#include "remote/scpi_error_queue.h"
#include "remote/scpi_fields.h"

namespace korvane::scpi {
namespace {

constexpr int kRealBits = 32;

// FORMat ASCii | REAL[,32].
int SetFormat(CommandContext& context) {
    const std::vector<std::string>& texts = context.parameters;
    if (texts.empty()) {
        return kMissingParameter;
    }
    if (texts.size() > 2) {
        return kParameterNotAllowed;
    }
    static constexpr Choice kFormats[] = {{"ASCii", 0}, {"REAL", 1}};
    int real = 0;
    if (int error = ParseChoice(texts[0], kFormats, real); error != 0) {
        return error;
    }
    if (texts.size() == 2) {
        Numeric bits;
        if (int error = ParseNumeric(texts[1], {}, bits); error != 0) {
            return error;
        }
        // Only single precision is offered; a length for ASCii means nothing here.
        if (real == 0 || bits.kind != Numeric::Value || bits.value != kRealBits) {
            return kIllegalParameterValue;
        }
    }
    context.client.realFormat = real == 1;
    return 0;
}

}  // namespace

std::vector<CommandSpec> FormatCommands() {
    std::vector<CommandSpec> table;
    table.push_back(InstrumentCommand("FORMat:[DATA]", false, SetFormat));
    table.push_back(
        InstrumentCommand("FORMat:[DATA]", true, WithoutParameters([](CommandContext& context) {
                              context.reply = context.client.realFormat ? "REAL,32" : "ASC";
                          })));
    table.push_back(InstrumentCommand("FORMat:BORDer", false, [](CommandContext& context) {
        if (int error = ExpectParameters(context, 1); error != 0) {
            return error;
        }
        static constexpr Choice kOrders[] = {{"NORMal", 0}, {"SWAPped", 1}};
        int swapped = 0;
        if (int error = ParseChoice(context.parameters[0], kOrders, swapped); error != 0) {
            return error;
        }
        context.client.swappedBytes = swapped == 1;
        return 0;
    }));
    table.push_back(
        InstrumentCommand("FORMat:BORDer", true, WithoutParameters([](CommandContext& context) {
                              context.reply = context.client.swappedBytes ? "SWAP" : "NORM";
                          })));
    return table;
}

}  // namespace korvane::scpi
