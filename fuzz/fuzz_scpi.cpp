// Remote command lines: nothing a client sends may crash the server or push a channel field
// outside the range the panel allows.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "remote/scpi_instrument.h"
#include "remote/scpi_session.h"

namespace {

using korvane::ChannelState;

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// The panel compares its limits in single precision, so the checks do too.
bool Within(double value, double low, double high) {
    const float single = static_cast<float>(value);
    return single >= static_cast<float>(low) && single <= static_cast<float>(high);
}

void CheckRanges(const ChannelState& c) {
    Require(c.waveType >= 0 && c.waveType < korvane::kWaveTypeCount);
    Require(Within(c.frequency, korvane::kMinFrequency, korvane::MaxFrequency(c.waveType)));
    Require(Within(c.amplitude, 0.0, korvane::kMaxAmplitude));
    Require(Within(c.offset, -korvane::kMaxOffset, korvane::kMaxOffset));
    Require(Within(c.phase, 0.0, 1.0));
    Require(Within(c.squareDuty, 0.0, 1.0));
    Require(c.trapeziaRise + c.trapeziaHigh + c.trapeziaFall <= 1.0f + 1e-6f);
    Require(c.arbPointCount >= 1 && c.arbPointCount <= korvane::kMaxPoints);
    Require(c.digitalOut <= 0x0fff);
    Require(c.sweepSpeed >= 1 && c.sweepSpeed <= 3600000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static korvane::SimulatedDeviceLibrary library(1);
    korvane::PollCoordinator coordinator;
    ChannelState device(library, coordinator);
    device.demo = 0;
    device.deviceIndex = 0;
    ChannelState demo(library, coordinator);
    korvane::scpi::Instrument instrument("0.0.0");
    instrument.SetChannels({&device, &demo});
    korvane::scpi::Session session(instrument);

    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const std::size_t newline = input.find('\n');
        const std::string_view line = input.substr(0, newline);
        session.Submit(std::string(line));
        // Stand in for the worker, so that waiting lines go on. No unit queues more device
        // commands than it has characters, so this many cycles always empty the queue.
        const std::size_t cycles = 2 * line.size() + 1000;
        for (std::size_t cycle = 0; session.Busy() && cycle < cycles; ++cycle) {
            device.Poll();
            session.Resume();
        }
        Require(!session.Busy());
        session.TakeOutput();
        CheckRanges(device);
        CheckRanges(demo);
        input.remove_prefix(newline == std::string_view::npos ? input.size() : newline + 1);
    }
    instrument.SetChannels({});
    return 0;
}
