#include "engine/channel_state.h"

#include "engine/channel_rules.h"

namespace korvane {

void ChannelState::SetFrequency(double value) {
    frequency = Limit(value, FrequencyRange(*this));
    if (demo) {
        return;
    }
    commands_.RequestFrequency(demo == 1);
}

void ChannelState::RequestSynchronize() {
    if (!demo && library_.OutputsOnClock(deviceIndex) > 1) {
        PushCommand(DeviceCommand::Synchronize);
    }
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

}  // namespace korvane
