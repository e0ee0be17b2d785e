#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "remote/scpi_client.h"
#include "remote/scpi_message.h"

namespace korvane {
class ChannelState;
}

namespace korvane::scpi {

// The generators as remote clients see them: channels SOURce1..n and the command table.
// Commands change a channel only through its setters, its command queue and its sweep requests,
// as the panel does; the channel's DeviceSession makes the device calls, so no command waits
// for the device.
//
// Thread-safe: commands of every client run one at a time under the instrument's lock, so a
// command made of several steps (a point table, a reset) is never interleaved with another
// client's. The GUI thread may change the channel list at any time.
class Instrument {
  public:
    // A client waits before it adds to a connected channel's queue while the queue holds this
    // many commands, so a fast client never makes it grow without bound.
    static constexpr std::size_t kMaxQueuedCommands = 32;

    explicit Instrument(std::string version);
    ~Instrument();
    Instrument(const Instrument&) = delete;
    Instrument& operator=(const Instrument&) = delete;

    // The channels served as SOURce1..n, in order. A channel that leaves the list has its sweep
    // stopped and may be destroyed afterwards; channels still in the list must outlive the
    // instrument.
    void SetChannels(std::vector<ChannelState*> channels);
    std::size_t ChannelCount() const;

    struct Result {
        bool wait = false;  // not run yet: try again later
        int error = 0;      // already queued in the client's error queue
        bool hasReply = false;
        std::string reply;
    };
    // Runs one command of a client's line.
    Result Execute(const ProgramUnit& unit, ClientState& client);

    // Every channel that can send has sent all its queued commands.
    bool OperationsComplete() const;

    // ---- for the commands (called while Execute holds the lock) ----
    std::string Identity() const;
    // Every channel back to its defaults, sweeps off, the full configuration queued.
    // (And the outputs of a card restart together.)
    void ResetChannels();
    // Every channel's outputs restart at the same sample once its queued commands are sent.
    void SynchronizeChannels();
    void SetSweep(ChannelState& channel, bool on);
    // OperationsComplete, for a command.
    bool OperationsCompleteLocked() const;
    // Every connected channel's device answers.
    bool DevicesAnswer() const;

  private:
    bool MustWait(const ChannelState& channel) const;

    mutable std::mutex mutex_;
    std::string version_;
    std::vector<ChannelState*> channels_;
};

}  // namespace korvane::scpi
