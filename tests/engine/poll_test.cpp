#include <gtest/gtest.h>

#include <algorithm>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "recording_library.h"

namespace korvane {
namespace {

using testing::RecordingLibrary;
using Calls = std::vector<std::string>;

// The device calls of one cycle that follow the measurement and the presence check.
Calls CommandCalls(const Calls& calls) {
    Calls result;
    for (const std::string& call : calls) {
        if (call.rfind("DDSGetMeasure", 0) != 0 && call != "DDSCheck" &&
            call != "DDSSetDigitalOut" && call != "DDSGetDigitalIn") {
            result.push_back(call);
        }
    }
    return result;
}

struct Connected : ::testing::Test {
    RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState channel{library, coordinator};
    Connected() {
        channel.demo = 0;
        channel.deviceIndex = 0;
    }
    Calls Cycle() {
        library.Clear();
        channel.Poll();
        return library.Calls();
    }
};

TEST_F(Connected, FirstThreeCyclesConfigureThenDownload) {
    EXPECT_EQ(CommandCalls(Cycle()), (Calls{"DDSSetFrequency"}));
    EXPECT_EQ(CommandCalls(Cycle()), (Calls{"DDSSetTrigger"}));
    EXPECT_EQ(CommandCalls(Cycle()), (Calls{"DDSDownload"}));
    EXPECT_EQ(CommandCalls(Cycle()), Calls{});
    EXPECT_EQ(channel.pointCount, 4000);
    EXPECT_EQ(channel.periodCount, 2);
    EXPECT_EQ(library.lastCodes.size(), 4000u);
}

TEST_F(Connected, EveryConnectedCycleExchangesTheDigitalWords) {
    library.digitalInWord = 0x24;
    channel.digitalOut = 0x801;
    Calls calls = Cycle();
    auto at = [&](const char* name) {
        return std::find(calls.begin(), calls.end(), name) - calls.begin();
    };
    EXPECT_LT(at("DDSCheck"), at("DDSSetDigitalOut"));
    EXPECT_LT(at("DDSSetDigitalOut"), at("DDSGetDigitalIn"));
    EXPECT_LT(at("DDSGetDigitalIn"), at("DDSSetFrequency"));
    EXPECT_EQ(channel.digitalIn, 0x24);
}

TEST_F(Connected, SweepingChannelDoesNothing) {
    channel.sweepOn = 1;
    EXPECT_TRUE(Cycle().empty());
    EXPECT_EQ(channel.QueuedCommands().size(), 3u);
}

TEST_F(Connected, ACycleFindingAnotherInProgressIsSkipped) {
    ASSERT_TRUE(coordinator.TryEnterPoll());
    EXPECT_TRUE(Cycle().empty());
    EXPECT_EQ(coordinator.PollCounter(), 0);
    coordinator.LeavePoll();
}

TEST_F(Connected, CounterIsResetBeforeTheNextReading) {
    channel.SetMeasureFrequency(0);
    library.measures = {42.9};
    Calls calls = Cycle();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "DDSResetCounter");
    EXPECT_EQ(calls[1], "DDSGetMeasure(C)");
    EXPECT_EQ(channel.counterValue, 42);
    EXPECT_EQ(channel.resetCounterPending, 0);
    EXPECT_NE(Cycle()[0], "DDSResetCounter");
}

TEST_F(Connected, MeasurementOffShowsZero) {
    channel.measuredFrequency = 5.0;
    channel.counterValue = 7;
    channel.SetMeasureOn(0);
    Calls calls = Cycle();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "DDSGetMeasure(F)"), 0);
    EXPECT_EQ(channel.measuredFrequency, 0.0);
    EXPECT_EQ(channel.counterValue, 0);
}

// Runs cycles until the next frequency reading (every fifth cycle).
void ReadFrequency(ChannelState& channel, RecordingLibrary& library, double value) {
    library.measures = {value};
    for (int i = 0; i < 5 && !library.measures.empty(); ++i) {
        channel.Poll();
    }
    ASSERT_TRUE(library.measures.empty());
}

TEST_F(Connected, ShownFrequencyNeedsFiveAgreeingReadings) {
    struct Step {
        double reading;
        double shown;
    };
    const Step steps[] = {
        {1000, 1000}, {1000, 1000}, {1000, 1000},
        {1000, 1000}, {5000, 1000},  // 5000 / 1000 = 5: unchanged
        {2000, 1000}, {2000, 1000}, {2000, 1000},
        {2000, 5000},  // within 3x again: the oldest, 5000
        {2000, 2000},  // the oldest of five agreeing readings
        {0, 2000},     // a zero among others: unchanged
        {0, 2000},    {0, 2000},    {0, 2000},
        {0, 0},  // all zero
    };
    int n = 0;
    for (const Step& step : steps) {
        ReadFrequency(channel, library, step.reading);
        EXPECT_EQ(channel.measuredFrequency, step.shown) << "reading " << n;
        EXPECT_LE(channel.measureHistory.Size(), 5u);
        ++n;
    }
}

TEST_F(Connected, FrequencyIsReadOnEveryFifthCycle) {
    int reads = 0;
    for (int i = 0; i < 20; ++i) {
        Calls calls = Cycle();
        reads += static_cast<int>(std::count(calls.begin(), calls.end(), "DDSGetMeasure(F)"));
    }
    EXPECT_EQ(reads, 4);
}

TEST_F(Connected, ArbitraryUpdateAfterFrequency) {
    channel.waveType = Arbitrary;
    channel.arbPointCount = 300;  // a file's period, not the buffer's
    channel.arbScrollRange = 5000;
    channel.arbZoom = 3;
    channel.arbViewPosition = 0.5f;
    Cycle();  // DDSSetFrequency: 4000 points, 2 periods
    EXPECT_EQ(channel.arbPointCount, 300) << "the table keeps its count";
    EXPECT_EQ(channel.arbScrollRange, 4000);
    EXPECT_EQ(channel.arbZoom, 0);
    EXPECT_EQ(channel.arbViewPosition, 0.0f);
    EXPECT_EQ(channel.arbSampleRate, static_cast<float>(200000000 / 49));
}

TEST_F(Connected, DriverCountsBeyondTheBufferAreLimited) {
    library.points = 100000;
    library.periods = 0;
    Cycle();
    EXPECT_EQ(channel.pointCount, 4096);
    EXPECT_EQ(channel.periodCount, 1);
    Cycle();
    Cycle();  // the download must not overrun its buffer
    EXPECT_EQ(library.lastCodes.size(), 4096u);
}

TEST(DemoChannel, NeverCallsTheLibraryFromPoll) {
    RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState channel(library, coordinator);
    channel.SetFrequency(2000.0);
    for (int i = 0; i < 12; ++i) {
        channel.Poll();
    }
    EXPECT_TRUE(library.Calls().empty());
    EXPECT_EQ(channel.QueuedCommands().size(), 3u);  // never consumed
    EXPECT_EQ(channel.measuredFrequency, 0.0);
}

TEST(Reconnect, UnpluggedDeviceGetsEverythingAgainWhenItComesBack) {
    SimulatedDeviceLibrary simulator(1);
    PollCoordinator coordinator;
    ChannelState channel(simulator, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    channel.ConfigureDevice();
    for (int i = 0; i < 5; ++i) {
        channel.Poll();
    }
    ASSERT_EQ(simulator.Device(0).codes.size(), 4082u);

    simulator.Unplug(0);
    channel.SetWaveType(Square);
    channel.Poll();
    EXPECT_EQ(channel.reconnectPending, 1);
    EXPECT_TRUE(simulator.Device(0).codes.empty());
    EXPECT_FALSE(channel.QueuedCommands().empty());  // kept for later

    simulator.ClearCallLog();
    simulator.Replug(0);
    channel.Poll();
    EXPECT_EQ(channel.reconnectPending, 0);
    Calls names;
    for (const auto& call : simulator.CallLog()) {
        names.emplace_back(call.name);
    }
    Calls expected{"DDSGetMeasure", "DDSCheck",         "DDSSetFrequency", "DDSSetTrigger",
                   "DDSSetDIOMode", "DDSSetSingleWave", "DDSSetFrequency", "DDSDownload"};
    if (names.front() != "DDSGetMeasure") {
        expected.erase(expected.begin());  // not a measuring cycle
    }
    EXPECT_EQ(names, expected);
    auto codes = simulator.Device(0).codes;
    ASSERT_EQ(codes.size(), 4082u);
    EXPECT_EQ(codes.front(), 878);  // the square's high level, a fresh buffer
}

}  // namespace
}  // namespace korvane
