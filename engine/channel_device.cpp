#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "engine/channel_state.h"

#include "engine/channel_rules.h"

// The channel's device operations: configuration, download, commands, measurement, the cycle.

namespace korvane {

void ChannelState::ApplyFrequency() {
    int points = pointCount;
    int periods = periodCount;
    library_.DDSSetFrequency(deviceIndex, frequency, &points, &periods);
    // A driver may answer with counts the buffer cannot hold; keep them usable.
    points = LimitPointCount(points);
    periods = std::clamp(periods, 1, points);
    pointCount = points;
    periodCount = periods;
    if (waveType == Arbitrary) {
        UpdateArbitraryAfterFrequency(points);
    }
}

// The table keeps its own count: a file's or a drawn period is stretched over each period of
// whatever buffer the device chose, so no point of it is cut off and no stale point is added.
void ChannelState::UpdateArbitraryAfterFrequency(int points) {
    if (arbScrollRange > points) {
        arbScrollRange = points;
    }
    arbSampleRate = ClockSampleRate(frequency);
    arbZoom = 0;
    arbViewPosition = 0.0f;
}

void ChannelState::ConfigureDevice() {
    commands_.DropConfiguration();
    ApplyFrequency();
    library_.DDSSetTrigger(deviceIndex, extTrigger, triggerEdge);
    library_.DDSSetDIOMode(deviceIndex, dioMode);
    library_.DDSSetSingleWave(deviceIndex, singleWave);
    ApplyFrequency();
    RequestDownload();
}

void ChannelState::Download() {
    WaveParams params = Snapshot();
    if (library_.AcceptsVolts(deviceIndex)) {
        // The device takes the wave at full precision rather than as 12-bit codes.
        std::array<double, kMaxPoints> volts;
        std::span<double> buffer(volts.data(), static_cast<std::size_t>(params.pointCount));
        FillVolts(params, buffer, ThreadNoise());
        library_.DDSDownloadVolts(deviceIndex, volts.data(), params.pointCount);
        return;
    }
    std::array<std::uint16_t, kMaxPoints> codes;
    std::span<std::uint16_t> buffer(codes.data(), static_cast<std::size_t>(params.pointCount));
    FillDacCodes(params, buffer, ThreadNoise());
    library_.DDSDownload(deviceIndex, codes.data(), params.pointCount);
}

void ChannelState::ApplyPowerOnOutput() {
    if (powerOnOutput == 1) {
        library_.DDSSetPowerOnOutput(deviceIndex, 1);
    }
}

void ChannelState::ExecuteCommand(int code) {
    switch (code) {
        case DeviceCommand::Download:
            Download();
            break;
        case DeviceCommand::SetFrequency:
            ApplyFrequency();
            break;
        case DeviceCommand::SetDioMode:
            library_.DDSSetDIOMode(deviceIndex, dioMode);
            break;
        case DeviceCommand::SetTrigger:
            library_.DDSSetTrigger(deviceIndex, extTrigger, triggerEdge);
            break;
        case DeviceCommand::SetSingleWave:
            library_.DDSSetSingleWave(deviceIndex, singleWave);
            break;
        case DeviceCommand::SetPowerOnOutput:
            library_.DDSSetPowerOnOutput(deviceIndex, powerOnOutput);
            break;
        case DeviceCommand::Synchronize:
            library_.SynchronizeOutputs(deviceIndex);
            break;
        default:
            break;  // unknown codes are dropped
    }
}

void ChannelState::TakeMeasurement() {
    if (measureOn == 0 || demo == 1) {
        measuredFrequency = 0.0;
        counterValue = 0;
        return;
    }
    if (measureFrequency == 0) {
        if (resetCounterPending == 1) {
            library_.DDSResetCounter(deviceIndex);
            resetCounterPending = 0;
        }
        double value = 0.0;
        library_.DDSGetMeasure(deviceIndex, 1, &value);
        // Truncated toward zero; a reading beyond the int range is held at its limit.
        constexpr double kMax = std::numeric_limits<int>::max();
        counterValue = std::isnan(value) ? 0 : static_cast<int>(std::clamp(value, -kMax, kMax));
        return;
    }
    if (coordinator_.PollCounter() % 5 != 0) {
        return;
    }
    double value = 0.0;
    library_.DDSGetMeasure(deviceIndex, 0, &value);
    if (const std::optional<double> shown = measureHistory.Add(static_cast<float>(value))) {
        measuredFrequency = *shown;
    }
    coordinator_.RestartPollCounter();
}

bool ChannelState::DeviceReady() {
    if (library_.DDSCheck(deviceIndex) == 0) {
        reconnectPending = 1;
        return false;
    }
    if (reconnectPending == 1) {
        // The device is back: it gets the whole configuration and a fresh buffer.
        ConfigureDevice();
        RequestDownload();
        reconnectPending = 0;
        Download();
        return false;
    }
    return true;
}

void ChannelState::Poll() {
    if (sweepOn == 1 || !coordinator_.TryEnterPoll()) {
        return;
    }
    coordinator_.AdvancePollCounter();
    TakeMeasurement();
    if (demo == 1 || !DeviceReady()) {
        coordinator_.LeavePoll();
        return;
    }
    RestoreAfterSweep();
    library_.DDSSetDigitalOut(deviceIndex, digitalOut);
    std::uint16_t in = digitalIn;
    library_.DDSGetDigitalIn(deviceIndex, &in);
    digitalIn = in;
    ExecuteCommand(PopCommand());
    coordinator_.LeavePoll();
}

}  // namespace korvane
