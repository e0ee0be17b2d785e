#pragma once

#include <vector>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/poll_coordinator.h"

namespace korvane {

// A channel on a simulated generator; `real` makes it drive device 0 instead of being a demo.
struct ChannelFixture {
    explicit ChannelFixture(bool real = false) : library(1), channel(library, coordinator) {
        if (real) {
            channel.demo = 0;
            channel.deviceIndex = 0;
        }
    }

    // Empties the queue, so a test sees only what it caused.
    void DrainQueue() {
        while (channel.PopCommand() != 0) {
        }
    }

    SimulatedDeviceLibrary library;
    PollCoordinator coordinator;
    ChannelState channel;
};

}  // namespace korvane
