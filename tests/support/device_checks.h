#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/noise.h"
#include "engine/synthesis.h"

namespace korvane::testing {

// How often the simulator received the call `name`.
inline int CountCalls(const SimulatedDeviceLibrary& sim, std::string_view name) {
    int n = 0;
    for (const auto& call : sim.CallLog()) {
        n += call.name == name;
    }
    return n;
}

// The codes a download of the channel's present parameters sends.
inline std::vector<std::uint16_t> ExpectedCodes(const ChannelState& channel) {
    const WaveParams params = channel.Snapshot();
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(params.pointCount));
    FillDacCodes(params, std::span<std::uint16_t>(codes), ThreadNoise());
    return codes;
}

// The device holds every part of the channel's configuration.
inline ::testing::AssertionResult HoldsConfiguration(const SimulatedDeviceLibrary& sim,
                                                     const ChannelState& channel) {
    const SimulatedDeviceLibrary::DeviceState d = sim.Device(channel.deviceIndex);
    if (d.externalTrigger != channel.extTrigger || d.triggerEdge != channel.triggerEdge) {
        return ::testing::AssertionFailure()
               << "trigger " << d.externalTrigger << "/" << d.triggerEdge;
    }
    if (d.singleWave != channel.singleWave || d.dioMode != channel.dioMode) {
        return ::testing::AssertionFailure()
               << "single wave " << d.singleWave << ", DIO mode " << d.dioMode;
    }
    if (d.divider != ClockDivider(channel.frequency) || d.pointCount != channel.pointCount) {
        return ::testing::AssertionFailure()
               << "divider " << d.divider << ", points " << d.pointCount;
    }
    if (d.codes != ExpectedCodes(channel)) {
        return ::testing::AssertionFailure() << "buffer of " << d.codes.size() << " codes";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace korvane::testing
