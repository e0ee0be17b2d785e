#include "engine/channel_state.h"

namespace korvane {

int ChannelState::PrepareSweep() {
    const bool downward = sweepEndFrequency < sweepStartFrequency;
    sweepDividerStep = downward ? 1 : -1;
    sweepStartDivider = ClockDivider(sweepStartFrequency);
    sweepEndDivider = ClockDivider(sweepEndFrequency) - sweepDividerStep;
    sweepDivider = sweepStartDivider.load();
    return 1;
}

void ChannelState::StartSweep() {
    PrepareSweep();
    sweepRestorePending = 0;
    sweepOn = 1;
    coordinator_.WakeSleepers();  // a paused worker starts stepping
}

void ChannelState::StopSweep() {
    if (sweepOn.exchange(0) == 1) {
        sweepRestorePending = 1;
        RequestDownload();  // keeps the channel busy (*OPC) until the buffer is back
    }
}

void ChannelState::SweepStep() {
    if (!coordinator_.TryEnterSweepStep()) {
        return;
    }
    // A demo channel steps like a device, so the frequency shown sweeps too, but calls nothing.
    if (demo != 1 && !DeviceReady()) {
        coordinator_.LeaveSweepStep();
        return;
    }
    const int step = sweepDividerStep;
    int divider = sweepDivider + step;
    if ((divider - sweepEndDivider) * step > 0) {  // past the end: the next round begins
        divider = sweepStartDivider;
    }
    sweepDivider = divider;
    if (demo != 1) {
        library_.DDSSetDivNum(deviceIndex, divider);
    }
    coordinator_.LeaveSweepStep();
}

double ChannelState::SweepFrequency() const {
    const int divider = sweepDivider;
    const int points = pointCount;
    if (divider < 1 || points < 1) {
        return 0.0;
    }
    return kMasterClockHz / divider * periodCount.load() / points;
}

void ChannelState::RestoreAfterSweep() {
    if (sweepRestorePending.exchange(0) == 1) {
        // The steps changed the divider, and a device replugged meanwhile has lost everything:
        // the whole configuration goes out again; its Download follows in the same cycle.
        ConfigureDevice();
    }
}

}  // namespace korvane
