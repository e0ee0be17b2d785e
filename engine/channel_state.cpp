#include "engine/channel_state.h"

#include <algorithm>

namespace korvane {

ChannelState::ChannelState(DeviceLibrary& library, PollCoordinator& coordinator)
    : library_(library),
      coordinator_(coordinator),
      commands_{DeviceCommand::SetFrequency, DeviceCommand::SetTrigger, DeviceCommand::Download} {}

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
