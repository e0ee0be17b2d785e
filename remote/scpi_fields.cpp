#include "remote/scpi_fields.h"

#include <charconv>
#include <cmath>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "remote/scpi_error_queue.h"

namespace korvane::scpi {

std::string FormatNumber(double value, int digits) {
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::string FlagText(bool on) {
    return std::string(1, on ? '1' : '0');
}

std::string ShortForm(std::string_view word) {
    std::string result;
    for (char c : word) {
        if (c >= 'a' && c <= 'z') {
            break;
        }
        result.push_back(c);
    }
    return result;
}

int ExpectParameters(const CommandContext& context, std::size_t count) {
    if (context.parameters.size() < count) {
        return kMissingParameter;
    }
    return context.parameters.size() > count ? kParameterNotAllowed : 0;
}

Handler WithoutParameters(std::function<void(CommandContext&)> action) {
    return [action = std::move(action)](CommandContext& context) {
        if (int error = ExpectParameters(context, 0); error != 0) {
            return error;
        }
        action(context);
        return 0;
    };
}

double DefaultOf(const ChannelState& channel, double (*get)(const ChannelState&)) {
    const ChannelState defaults(channel.Library(), channel.Coordinator());
    return get(defaults);
}

int ResolveNumeric(const NumericField& field, const ChannelState& channel, std::string_view text,
                   double& value) {
    Numeric number;
    if (int error = ParseNumeric(text, field.unit, number); error != 0) {
        return error;
    }
    const double low = field.low(channel);
    const double high = field.high(channel);
    switch (number.kind) {
        case Numeric::Minimum:
            value = low;
            break;
        case Numeric::Maximum:
            value = high;
            break;
        case Numeric::Default:
            value = DefaultOf(channel, field.get);
            break;
        case Numeric::Value:
            value = number.value;
            break;
    }
    value = field.integer ? LimitWhole(value, static_cast<int>(low), static_cast<int>(high))
                          : Limit(value, {low, high});
    return 0;
}

void AddField(std::vector<CommandSpec>& table, const NumericField& field) {
    table.push_back(ChannelCommand(field.pattern, false, [field](CommandContext& context) {
        if (int error = ExpectParameters(context, 1); error != 0) {
            return error;
        }
        double value = 0.0;
        if (int error = ResolveNumeric(field, *context.channel, context.parameters[0], value);
            error != 0) {
            return error;
        }
        field.set(*context.channel, value);
        return 0;
    }));
    table.push_back(ChannelCommand(field.pattern, true, [field](CommandContext& context) {
        if (context.parameters.size() > 1) {
            return static_cast<int>(kParameterNotAllowed);
        }
        const ChannelState& channel = *context.channel;
        double value = field.get(channel);
        if (context.parameters.size() == 1) {
            Numeric number;
            if (int error = ParseNumeric(context.parameters[0], field.unit, number); error != 0) {
                return error;
            }
            if (number.kind == Numeric::Value) {
                return static_cast<int>(kIllegalParameterValue);
            }
            value = number.kind == Numeric::Minimum   ? field.low(channel)
                    : number.kind == Numeric::Maximum ? field.high(channel)
                                                      : DefaultOf(channel, field.get);
        }
        context.reply = FormatNumber(value, field.digits);
        return 0;
    }));
}

void AddField(std::vector<CommandSpec>& table, const ChoiceField& field) {
    table.push_back(ChannelCommand(field.pattern, false, [field](CommandContext& context) {
        if (int error = ExpectParameters(context, 1); error != 0) {
            return error;
        }
        int value = 0;
        const std::string& text = context.parameters[0];
        int error =
            field.boolean ? ParseBoolean(text, value) : ParseChoice(text, field.choices, value);
        if (error != 0) {
            return error;
        }
        field.set(*context.channel, value);
        return 0;
    }));
    table.push_back(ChannelCommand(field.pattern, true, [field](CommandContext& context) {
        if (int error = ExpectParameters(context, 0); error != 0) {
            return error;
        }
        const int value = field.get(*context.channel);
        if (field.boolean) {
            context.reply = FlagText(value != 0);
            return 0;
        }
        for (const Choice& choice : field.choices) {
            if (choice.value == value) {
                context.reply = ShortForm(choice.pattern);
                return 0;
            }
        }
        context.reply = std::to_string(value);  // a value no word stands for, e.g. from a file
        return 0;
    }));
}

}  // namespace korvane::scpi
