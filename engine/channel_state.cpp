#include "engine/channel_state.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/channel_rules.h"

namespace korvane {

ChannelState::ChannelState(DeviceLibrary& library, PollCoordinator& coordinator)
    : library_(library),
      coordinator_(coordinator),
      commandQueue_{DeviceCommand::SetFrequency, DeviceCommand::SetTrigger,
                    DeviceCommand::Download} {}

// ---- command queue ------------------------------------------------------------------------------

void ChannelState::PushCommand(int code) {
    std::lock_guard lock(queueMutex_);
    commandQueue_.push_back(code);
}

int ChannelState::PopCommand() {
    std::lock_guard lock(queueMutex_);
    if (commandQueue_.empty()) {
        return 0;
    }
    int code = commandQueue_.front();
    commandQueue_.pop_front();
    return code;
}

void ChannelState::RequestDownload() {
    std::lock_guard lock(queueMutex_);
    QueueDownload();
}

void ChannelState::QueueDownload() {
    // A demo channel's queue is never consumed: one pending download is enough, so the queue
    // cannot grow with every change made on the panel.
    if (demo == 1 && std::find(commandQueue_.begin(), commandQueue_.end(),
                               DeviceCommand::Download) != commandQueue_.end()) {
        return;
    }
    // A Download at the head goes out before anything queued behind it, so it does not serve a
    // SetFrequency queued later: that one needs a Download after it, or the device keeps a
    // buffer built for the old point count.
    if (commandQueue_.empty() || commandQueue_.front() != DeviceCommand::Download ||
        FrequencyAwaitsDownload()) {
        commandQueue_.push_back(DeviceCommand::Download);
    }
}

void ChannelState::CoalesceRemoteCommands() {
    std::lock_guard lock(queueMutex_);
    std::deque<int> kept;
    for (const int code : commandQueue_) {
        const auto same = std::find(kept.rbegin(), kept.rend(), code);
        const auto frequency = std::find(kept.rbegin(), kept.rend(), DeviceCommand::SetFrequency);
        // Reverse iterators: `frequency` before `same` means a frequency command lies between.
        if (same == kept.rend() || (frequency < same && code != DeviceCommand::SetFrequency)) {
            kept.push_back(code);
        }
    }
    commandQueue_.swap(kept);
    if (FrequencyAwaitsDownload()) {
        commandQueue_.push_back(
            DeviceCommand::Download);  // the new point count needs a fresh buffer
    }
}

bool ChannelState::FrequencyAwaitsDownload() const {
    const auto lastFrequency =
        std::find(commandQueue_.rbegin(), commandQueue_.rend(), DeviceCommand::SetFrequency);
    return lastFrequency != commandQueue_.rend() &&
           std::find(commandQueue_.rbegin(), lastFrequency, DeviceCommand::Download) ==
               lastFrequency;
}

std::vector<int> ChannelState::QueuedCommands() const {
    std::lock_guard lock(queueMutex_);
    return {commandQueue_.begin(), commandQueue_.end()};
}

// ---- setters ------------------------------------------------------------------------------------

void ChannelState::SetFrequency(double value) {
    frequency = Limit(value, FrequencyRange(waveType));
    if (demo) {
        return;
    }
    std::lock_guard lock(queueMutex_);
    // A queued SetFrequency reads the field when it runs: with a Download behind it, the new
    // value is already on its way (typing a number queues one change, not one per key).
    if (std::find(commandQueue_.begin(), commandQueue_.end(), DeviceCommand::SetFrequency) !=
            commandQueue_.end() &&
        !FrequencyAwaitsDownload()) {
        return;
    }
    commandQueue_.push_back(DeviceCommand::SetFrequency);
    QueueDownload();
}

void ChannelState::SetOffset(double value) {
    offset = Limit(value, kOffsetRange);
    RequestDownload();
}

void ChannelState::SetAmplitude(float value) {
    amplitude = static_cast<float>(Limit(value, kAmplitudeRange));
}

void ChannelState::SetWaveType(int value) {
    waveType = value;
    RequestDownload();
}

void ChannelState::SetAttenuate20dB(int value) {
    attenuate20dB = value;
    RequestDownload();
}

void ChannelState::SetOutputOn(int value) {
    outputOn = value;
}

void ChannelState::SetWaveNumber(std::int16_t value) {
    waveNumber = value;
}

void ChannelState::SetSingleWave(int value) {
    singleWave = value;
    if (!demo) {
        PushCommand(DeviceCommand::SetSingleWave);
        RequestDownload();
    }
}

void ChannelState::SetExtTrigger(int value) {
    extTrigger = value;
    if (!demo) {
        PushCommand(DeviceCommand::SetTrigger);
    }
}

void ChannelState::SetTriggerEdge(int value) {
    triggerEdge = value;
    if (!demo) {
        PushCommand(DeviceCommand::SetTrigger);
    }
}

void ChannelState::SetDioMode(int value) {
    dioMode = value;
    if (!demo) {
        PushCommand(DeviceCommand::SetDioMode);
    }
}

void ChannelState::SetMeasureOn(int value) {
    measureOn = value;
    if (value == 1 && measureFrequency == 0) {
        resetCounterPending = 1;
    }
}

void ChannelState::SetMeasureFrequency(int value) {
    measureFrequency = value;
    if (value == 0 && measureOn == 1) {
        resetCounterPending = 1;
    }
}

int ChannelState::SetPowerOnOutput(int apply, int value) {
    if (demo) {
        return 0;
    }
    powerOnOutput = value;
    if (apply == 1) {
        PushCommand(DeviceCommand::SetPowerOnOutput);
    }
    return 1;
}

// ---- device operations --------------------------------------------------------------------------

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
    DropSupersededCommands();
    ApplyFrequency();
    library_.DDSSetTrigger(deviceIndex, extTrigger, triggerEdge);
    library_.DDSSetDIOMode(deviceIndex, dioMode);
    library_.DDSSetSingleWave(deviceIndex, singleWave);
    ApplyFrequency();
    RequestDownload();
}

void ChannelState::DropSupersededCommands() {
    std::lock_guard lock(queueMutex_);
    // Their fields are stored before they are queued, so the configuration that follows sends
    // what they would; the one Download it requests replaces the queued ones.
    std::erase_if(commandQueue_, [](int code) {
        return code == DeviceCommand::SetFrequency || code == DeviceCommand::SetTrigger ||
               code == DeviceCommand::SetDioMode || code == DeviceCommand::SetSingleWave ||
               code == DeviceCommand::Download;
    });
}

void ChannelState::Download() {
    WaveParams params = Snapshot();
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
    if (measureHistory.size() == 5) {
        measureHistory.pop_front();
    }
    measureHistory.push_back(static_cast<float>(value));
    // A new value is shown only when the last readings agree within a factor of 3; the shown
    // value is the oldest of them.
    float largest = measureHistory.front();
    float smallest = measureHistory.front();
    for (std::size_t i = 1; i < measureHistory.size(); ++i) {
        if (measureHistory[i] > largest) {
            largest = measureHistory[i];
        } else if (measureHistory[i] < smallest) {
            smallest = measureHistory[i];
        }
    }
    if (largest == 0.0f && smallest == 0.0f) {
        measuredFrequency = 0.0;
    } else if (smallest != 0.0f && largest / smallest < 3.0f) {
        measuredFrequency = measureHistory.front();
    }
    coordinator_.RestartPollCounter();
}

void ChannelState::Poll() {
    if (sweepOn == 1 || !coordinator_.TryEnterPoll()) {
        return;
    }
    coordinator_.AdvancePollCounter();
    TakeMeasurement();
    if (demo == 1) {
        coordinator_.LeavePoll();
        return;
    }
    if (library_.DDSCheck(deviceIndex) == 0) {
        reconnectPending = 1;
        coordinator_.LeavePoll();
        return;
    }
    if (reconnectPending == 1) {
        // The device is back: it gets the whole configuration and a fresh buffer.
        ConfigureDevice();
        RequestDownload();
        reconnectPending = 0;
        coordinator_.LeavePoll();
        Download();
        return;
    }
    reconnectPending = 0;
    library_.DDSSetDigitalOut(deviceIndex, digitalOut);
    std::uint16_t in = digitalIn;
    library_.DDSGetDigitalIn(deviceIndex, &in);
    digitalIn = in;
    ExecuteCommand(PopCommand());
    coordinator_.LeavePoll();
}

// ---- sweep --------------------------------------------------------------------------------------

int ChannelState::PrepareSweep() {
    sweepStartDivider = ClockDivider(sweepStartFrequency);
    sweepEndDivider = ClockDivider(sweepEndFrequency) + 1;
    sweepDivider = sweepStartDivider.load();
    return 1;
}

void ChannelState::SweepStep() {
    if (!coordinator_.TryEnterSweepStep()) {
        return;
    }
    if (demo == 1) {
        coordinator_.LeaveSweepStep();
        return;
    }
    int divider = sweepDivider - 1;
    if (divider < sweepEndDivider) {
        divider = sweepStartDivider;
    }
    sweepDivider = divider;
    library_.DDSSetDivNum(deviceIndex, divider);
    coordinator_.LeaveSweepStep();
}

// ---- arbitrary display window -------------------------------------------------------------------

int ChannelState::SetArbView(float position) {
    const int n = LimitPointCount(arbPointCount);
    int span = n / (arbZoom + 1);
    if (span < 200) {
        arbZoom = 0;
        span = n;
        arbViewPosition = 0.0f;
    } else {
        arbViewPosition = position;
    }
    float s = static_cast<float>(n) * arbViewPosition;
    if (static_cast<float>(span) + s >= static_cast<float>(n)) {
        arbViewLast = n - 1;
        arbViewFirst = n - span;
    } else {
        int first = static_cast<int>(s);
        int last = first + span;
        arbViewFirst = first;
        arbViewLast = last >= n ? n - 1 : last;
    }
    return arbViewFirst;
}

float ChannelState::ArbViewScale(float width) {
    // A one-point window has no width to divide by; it is then drawn as one span.
    int points = std::max(1, arbViewLast - arbViewFirst);
    arbViewScale = width / static_cast<float>(points);
    return arbViewScale;
}

WaveParams ChannelState::Snapshot() const {
    WaveParams p;
    p.waveType = waveType;
    p.amplitude = amplitude;
    p.offset = offset;
    p.attenuate20dB = attenuate20dB;
    p.phase = phase;
    p.pointCount = LimitPointCount(pointCount);
    p.periodCount = std::max(1, periodCount.load());
    p.waveNumber = waveNumber;
    p.frequency = frequency;
    p.outputOn = outputOn;
    p.squareDuty = squareDuty;
    p.rampDuty = rampDuty;
    p.exponentRaise = exponentRaise;
    p.exponentTimeConstant = exponentTimeConstant;
    p.trapeziaRise = trapeziaRise;
    p.trapeziaHigh = trapeziaHigh;
    p.trapeziaFall = trapeziaFall;
    p.amDepth = amDepth;
    p.carrierFrequency = carrierFrequency;
    p.fmDeviation = fmDeviation;
    p.fmMode = fmMode;
    p.arbPointCount = LimitPointCount(arbPointCount);
    if (p.waveType == Arbitrary) {
        for (int i = 0; i < p.arbPointCount; ++i) {
            p.arbPoints[static_cast<std::size_t>(i)] =
                arbPoints[static_cast<std::size_t>(i)].load(std::memory_order_relaxed);
        }
    }
    return p;
}

}  // namespace korvane
