#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "remote/scpi_command_table.h"
#include "remote/scpi_parameter.h"

namespace korvane::scpi {

// A numeric channel field with its setting command and its query ("FREQ 1kHz", "FREQ?",
// "FREQ? MAX"). Values outside [low, high] are limited by the channel rules' Limit (whole-number
// fields by LimitWhole).
struct NumericField {
    std::string_view pattern;
    UnitRule unit;
    double (*low)(const ChannelState&);
    double (*high)(const ChannelState&);
    double (*get)(const ChannelState&);
    void (*set)(ChannelState&, double);  // receives the limited value
    int digits = 7;                      // significant digits of the reply
    bool integer = false;                // the field holds whole numbers: the value is rounded
};

// A channel field that takes one of a few words, or ON/OFF/1/0 when `boolean` is set; the query
// answers the short form of the word (or 1/0).
struct ChoiceField {
    std::string_view pattern;
    std::vector<Choice> choices;
    int (*get)(const ChannelState&);
    void (*set)(ChannelState&, int);
    bool boolean = false;
};

void AddField(std::vector<CommandSpec>& table, const NumericField& field);
void AddField(std::vector<CommandSpec>& table, const ChoiceField& field);

// The value a setting takes on DEFault: the one a new panel starts with.
double DefaultOf(const ChannelState& channel, double (*get)(const ChannelState&));

// The value a setting command's parameter gives the field: a number, MIN, MAX or DEF, limited
// to the field's range. Returns 0 or an error number; nothing changes.
int ResolveNumeric(const NumericField& field, const ChannelState& channel, std::string_view text,
                   double& value);

// A number as a reply: shortest general form with at most `digits` significant digits, never
// depending on the process locale.
std::string FormatNumber(double value, int digits);

// "1" or "0".
std::string FlagText(bool on);

// The short form of a pattern word: "SINusoid" gives "SIN".
std::string ShortForm(std::string_view word);

// Checks the parameter count: `count` exactly. Returns 0 or an error number.
int ExpectParameters(const CommandContext& context, std::size_t count);

// A handler that runs `action` when the command has no parameters.
Handler WithoutParameters(std::function<void(CommandContext&)> action);

}  // namespace korvane::scpi
