// PHASe:SYNChronize and *RST restart the outputs that share a device's clock together.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/channel_state.h"
#include "engine/recording_library.h"
#include "remote/scpi_instrument.h"
#include "remote/scpi_session.h"

namespace korvane::scpi {
namespace {

using Queue = std::vector<int>;

// Two outputs on one clock, as a sound card's left and right, without trigger or digital I/O.
class TwoOutputLibrary : public korvane::testing::RecordingLibrary {
  public:
    int OutputsOnClock(int) const override { return 2; }
    bool HasTriggerAndDigitalIo(int) const override { return false; }
    bool SynchronizeOutputs(int device) override {
        Record(device == 0 ? "SynchronizeOutputs(0)" : "SynchronizeOutputs(1)", 1);
        return true;
    }
};

struct TwoOutputs {
    TwoOutputLibrary library;
    PollCoordinator coordinator;
    ChannelState left{library, coordinator};
    ChannelState right{library, coordinator};
    Instrument instrument{"9.9.9"};
    Session session{instrument};

    TwoOutputs() {
        left.demo = 0;
        left.deviceIndex = 0;
        right.demo = 0;
        right.deviceIndex = 1;
        for (ChannelState* c : {&left, &right}) {
            while (c->PopCommand() != 0) {
            }
        }
        instrument.SetChannels({&left, &right});
    }
    ~TwoOutputs() { instrument.SetChannels({}); }

    std::string Run(const std::string& line) {
        session.Submit(line);
        return session.TakeOutput();
    }
    void Drain() {
        for (int cycle = 0; cycle < 100; ++cycle) {
            left.Poll();
            right.Poll();
        }
    }
};

TEST(ScpiPhaseSync, SynchronizeRestartsEveryOutputAfterItsQueuedCommands) {
    TwoOutputs bench;
    bench.Run("SOUR2:FREQ 2000;:PHAS:SYNC");
    EXPECT_EQ(bench.Run("SYST:ERR?"), "0,\"No error\"\n");
    EXPECT_EQ(bench.left.QueuedCommands(), (Queue{Synchronize}));
    EXPECT_EQ(bench.right.QueuedCommands(), (Queue{SetFrequency, Download, Synchronize}));
    bench.Drain();
    const auto calls = bench.library.Calls();
    const auto download = std::find(calls.rbegin(), calls.rend(), "DDSDownload");
    const auto sync = std::find(calls.rbegin(), calls.rend(), "SynchronizeOutputs(1)");
    ASSERT_NE(sync, calls.rend());
    EXPECT_LT(sync, download) << "the right output restarts after its new buffer";
    EXPECT_NE(std::find(calls.begin(), calls.end(), "SynchronizeOutputs(0)"), calls.end());
}

TEST(ScpiPhaseSync, ResetStartsTheOutputsTogether) {
    TwoOutputs bench;
    bench.Run("*RST");
    EXPECT_EQ(bench.left.QueuedCommands(),
              (Queue{SetFrequency, SetTrigger, SetDioMode, SetSingleWave, Download, Synchronize}));
    EXPECT_EQ(bench.right.QueuedCommands().back(), Synchronize);
}

TEST(ScpiPhaseSync, TriggerAndDigitalCommandsSayTheHardwareIsMissing) {
    TwoOutputs bench;
    for (const char* line :
         {"DIG:OUTP 5", "DIG:OUTP?", "DIG:INP?", "DIG:MODE PROG", "TRIG:SOUR EXT", "TRIG:SLOP?"}) {
        bench.Run(line);
        EXPECT_EQ(bench.Run("SYST:ERR?"), "-241,\"Hardware missing\"\n") << line;
    }
    EXPECT_EQ(bench.left.digitalOut, 0);
    EXPECT_EQ(bench.left.extTrigger, 0);
    EXPECT_TRUE(bench.left.QueuedCommands().empty());
    bench.Run("FREQ 2000");
    EXPECT_EQ(bench.Run("SYST:ERR?"), "0,\"No error\"\n");
}

TEST(ScpiPhaseSync, AnOutputWithItsOwnClockQueuesNothing) {
    korvane::testing::RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState channel(library, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    while (channel.PopCommand() != 0) {
    }
    channel.RequestSynchronize();
    EXPECT_TRUE(channel.QueuedCommands().empty());
}

}  // namespace
}  // namespace korvane::scpi
