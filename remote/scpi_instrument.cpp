#include "remote/scpi_instrument.h"

#include <algorithm>

#include "engine/channel_state.h"
#include "remote/scpi_command_table.h"
#include "remote/scpi_error_queue.h"

namespace korvane::scpi {
namespace {

template <typename... Members>
void CopyFields(ChannelState& to, const ChannelState& from, Members... members) {
    ((to.*members).store((from.*members).load()), ...);
}

// The parameters a reset gives back their defaults. The device's own values (point and period
// counts, readings, connection state) and the power-on setting stay as they are.
void CopyDefaults(ChannelState& to, const ChannelState& from) {
    using C = ChannelState;
    CopyFields(to, from, &C::exponentUnit, &C::measureOn, &C::measureFrequency, &C::singleWave,
               &C::extTrigger, &C::attenuate20dB, &C::offset, &C::frequency, &C::amplitude,
               &C::triggerEdge, &C::waveNumber, &C::outputOn, &C::digitalOut, &C::dioMode,
               &C::sweepStartFrequency, &C::sweepEndFrequency, &C::sweepSpeed, &C::phase,
               &C::waveType, &C::squareDuty, &C::rampDuty, &C::exponentRaise,
               &C::exponentTimeConstant, &C::trapeziaRise, &C::trapeziaHigh, &C::trapeziaFall,
               &C::amDepth, &C::carrierFrequency, &C::fmDeviation, &C::fmMode, &C::arbSampleRate,
               &C::arbPointCount, &C::arbScrollRange, &C::arbViewPosition, &C::arbViewFirst,
               &C::arbViewLast, &C::arbZoom);
    for (std::size_t i = 0; i < to.arbPoints.size(); ++i) {
        to.arbPoints[i] = from.arbPoints[i].load();
    }
}

bool Settled(const ChannelState& channel) {
    return channel.demo == 1 || channel.reconnectPending == 1 || channel.sweepOn == 1 ||
           (channel.sweepRestorePending == 0 && channel.QueuedCommands().empty());
}

const CommandSpec* FindCommand(const ProgramUnit& unit, const std::vector<HeaderNode>& nodes,
                               int& channel) {
    for (const CommandSpec& spec : CommandTable()) {
        if (spec.common == unit.common && spec.query == unit.query &&
            MatchPattern(spec.pattern, nodes, channel)) {
            return &spec;
        }
    }
    return nullptr;
}

}  // namespace

Instrument::Instrument(std::string version) : version_(std::move(version)) {}

Instrument::~Instrument() = default;

void Instrument::SetChannels(std::vector<ChannelState*> channels) {
    std::lock_guard lock(mutex_);
    for (ChannelState* old : channels_) {
        if (std::find(channels.begin(), channels.end(), old) == channels.end()) {
            old->StopSweep();
        }
    }
    channels_ = std::move(channels);
}

std::size_t Instrument::ChannelCount() const {
    std::lock_guard lock(mutex_);
    return channels_.size();
}

Instrument::Result Instrument::Execute(const ProgramUnit& unit, ClientState& client) {
    std::lock_guard lock(mutex_);
    Result result;
    auto refuse = [&](int error) {
        client.errors.Push(error);
        result.error = error;
        return result;
    };
    int channelNumber = 1;
    std::vector<HeaderNode> nodes;
    const CommandSpec* spec = nullptr;
    // A command without a leading ':' continues from the current path; when it is not found
    // there, each shorter path is tried up to the root ("SOUR2:FUNC:SQU:DCYC 0.5;FREQ 1000" sets
    // the frequency of source 2).
    const std::size_t depth = unit.common || unit.absolute ? 0 : client.path.size();
    for (std::size_t kept = depth + 1; kept-- > 0 && spec == nullptr;) {
        nodes.assign(client.path.begin(), client.path.begin() + static_cast<std::ptrdiff_t>(kept));
        nodes.insert(nodes.end(), unit.nodes.begin(), unit.nodes.end());
        spec = FindCommand(unit, nodes, channelNumber);
    }
    if (spec == nullptr) {
        return refuse(kUndefinedHeader);
    }
    ChannelState* channel = nullptr;
    if (spec->channel) {
        if (channelNumber < 1 || static_cast<std::size_t>(channelNumber) > channels_.size()) {
            return refuse(kHeaderSuffixOutOfRange);
        }
        channel = channels_[static_cast<std::size_t>(channelNumber - 1)];
    }
    if (spec->triggerOrDigitalIo && channel != nullptr && channel->demo == 0 &&
        !channel->Library().HasTriggerAndDigitalIo(channel->deviceIndex)) {
        return refuse(kHardwareMissing);  // a sound card: no pretending
    }
    if ((spec->waits && !OperationsCompleteLocked()) ||
        (channel != nullptr && !spec->query && MustWait(*channel))) {
        result.wait = true;
        return result;
    }
    if (!unit.common) {
        nodes.pop_back();
        client.path = std::move(nodes);
    }
    CommandContext context{*this, client, channel, unit.parameters, {}};
    const int error = spec->handler(context);
    if (channel != nullptr) {
        channel->CoalesceRemoteCommands();  // a burst of remote changes queues each command once
    }
    if (error != 0) {
        return refuse(error);
    }
    result.hasReply = spec->query;
    result.reply = std::move(context.reply);
    return result;
}

bool Instrument::OperationsComplete() const {
    std::lock_guard lock(mutex_);
    return OperationsCompleteLocked();
}

bool Instrument::OperationsCompleteLocked() const {
    for (const ChannelState* channel : channels_) {
        if (!Settled(*channel)) {
            return false;
        }
    }
    return true;
}

bool Instrument::DevicesAnswer() const {
    return std::none_of(channels_.begin(), channels_.end(), [](const ChannelState* channel) {
        return channel->demo == 0 && channel->reconnectPending == 1;
    });
}

bool Instrument::MustWait(const ChannelState& channel) const {
    return !Settled(channel) && channel.QueuedCommands().size() >= kMaxQueuedCommands;
}

std::string Instrument::Identity() const {
    std::string serial = "DEMO";
    if (!channels_.empty() && channels_.front()->demo == 0) {
        // The combine serial number the device reports in bits 6 and 7 of its input word.
        serial = std::to_string((channels_.front()->digitalIn >> 6) & 3);
    }
    return "Korvane,KorvaneAWG," + serial + "," + version_;
}

void Instrument::ResetChannels() {
    for (ChannelState* channel : channels_) {
        channel->StopSweep();
        const ChannelState defaults(channel->Library(), channel->Coordinator());
        CopyDefaults(*channel, defaults);
        if (channel->demo == 0) {
            channel->PushCommand(DeviceCommand::SetFrequency);
            channel->PushCommand(DeviceCommand::SetTrigger);
            channel->PushCommand(DeviceCommand::SetDioMode);
            channel->PushCommand(DeviceCommand::SetSingleWave);
            channel->RequestDownload();
            channel->CoalesceRemoteCommands();
        }
    }
    SynchronizeChannels();
}

void Instrument::SynchronizeChannels() {
    for (ChannelState* channel : channels_) {
        channel->RequestSynchronize();
    }
}

void Instrument::SetSweep(ChannelState& channel, bool on) {
    if (!on) {
        channel.StopSweep();  // the channel's session restores the device's configuration
        return;
    }
    if (channel.sweepOn == 1) {
        return;
    }
    channel.StartSweep();  // an end below the start sweeps downward
}

}  // namespace korvane::scpi
