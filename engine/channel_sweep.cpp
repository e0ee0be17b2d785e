#include "engine/channel_state.h"

namespace korvane {

int ChannelState::PrepareSweep() {
    sweepStartDivider = ClockDivider(sweepStartFrequency);
    sweepEndDivider = ClockDivider(sweepEndFrequency) + 1;
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
    if (demo == 1 || !DeviceReady()) {
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

void ChannelState::RestoreAfterSweep() {
    if (sweepRestorePending.exchange(0) == 1) {
        // The steps changed the divider, and a device replugged meanwhile has lost everything:
        // the whole configuration goes out again; its Download follows in the same cycle.
        ConfigureDevice();
    }
}

}  // namespace korvane
