#pragma once

#include <string>

#include "engine/channel_state.h"
#include "engine/recording_library.h"
#include "remote/scpi_instrument.h"
#include "remote/scpi_session.h"

namespace korvane::scpi::testing {

// Two channels served as SOURce1 (a connected device) and SOURce2 (a demo channel), with empty
// queues, and one client talking to them without a socket.
struct ScpiBench {
    korvane::testing::RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState device{library, coordinator};
    ChannelState demo{library, coordinator};
    Instrument instrument{"9.9.9"};
    Session session{instrument};

    ScpiBench() {
        device.demo = 0;
        device.deviceIndex = 0;
        while (device.PopCommand() != 0) {
        }
        while (demo.PopCommand() != 0) {
        }
        instrument.SetChannels({&device, &demo});
    }
    ~ScpiBench() { instrument.SetChannels({}); }

    // Runs one line and returns what the client would read back.
    std::string Run(const std::string& line) {
        session.Submit(line);
        return session.TakeOutput();
    }

    // The client's oldest queued error, as SYST:ERR? would give it.
    std::string NextError() { return Run("SYST:ERR?"); }

    // Runs the device's worker cycles until its queue is empty.
    void DrainDevice() {
        for (int cycle = 0; cycle < 1000 && !device.QueuedCommands().empty(); ++cycle) {
            device.Poll();
        }
    }
};

}  // namespace korvane::scpi::testing
