// The remote instrument beyond single commands: identity and readings, the error queue, reset,
// operation complete and wait, loaded points, long answers and remote sweeps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scpi_fixture.h"

namespace korvane::scpi {
namespace {

using testing::ScpiBench;
using Queue = std::vector<int>;

TEST(ScpiCommands, IdentityShowsDemoOrTheCombineSerial) {
    ScpiBench bench;
    bench.device.digitalIn = 0x80;
    EXPECT_EQ(bench.Run("*IDN?"), "Korvane,KorvaneAWG,2,9.9.9\n");
    bench.instrument.SetChannels({&bench.demo});
    EXPECT_EQ(bench.Run("*IDN?"), "Korvane,KorvaneAWG,DEMO,9.9.9\n");
}

TEST(ScpiCommands, ReadingsComeFromTheChannel) {
    ScpiBench bench;
    bench.device.measuredFrequency = 999.9100342;
    bench.device.counterValue = 1234;
    bench.device.digitalIn = 0xff;
    EXPECT_EQ(bench.Run("MEAS:FREQ?;MEAS:COUN?;DIG:INP?"), "999.9100342;1234;15\n");
}

TEST(ScpiCommands, ErrorQueueIsPerClientAndClearedByCls) {
    ScpiBench bench;
    Session other(bench.instrument);
    bench.Run("BOGUS;FREQ 1,2");
    other.Submit("SYST:ERR:COUN?;SYST:ERR?");
    EXPECT_EQ(other.TakeOutput(), "0;0,\"No error\"\n");
    EXPECT_EQ(bench.Run("SYST:ERR:COUN?"), "2\n");
    bench.Run("*CLS");
    EXPECT_EQ(bench.Run("SYST:ERR:COUN?"), "0\n");
}

TEST(ScpiCommands, ResetRestoresDefaultsAndSendsTheConfiguration) {
    ScpiBench bench;
    bench.Run("FREQ 5000;VOLT 1;FUNC SQU;OUTP:ATT 20;DIG:OUTP 7;SWE:STEP 20;DATA:ARB 1,2");
    bench.DrainDevice();
    bench.Run("*RST");
    const ChannelState& c = bench.device;
    EXPECT_EQ(c.frequency, 1000.0);
    EXPECT_EQ(c.amplitude, 2.0f);
    EXPECT_EQ(c.waveType, Sine);
    EXPECT_EQ(c.attenuate20dB, 0);
    EXPECT_EQ(c.digitalOut, 0);
    EXPECT_EQ(c.sweepSpeed, 100);
    EXPECT_EQ(c.arbPointCount, 1000);
    EXPECT_EQ(c.arbPoints[1], 0.0f);
    EXPECT_EQ(c.demo, 0);
    EXPECT_EQ(c.deviceIndex, 0);
    EXPECT_EQ(c.QueuedCommands(),
              (Queue{SetFrequency, SetTrigger, SetDioMode, SetSingleWave, Download}));
    EXPECT_TRUE(bench.demo.QueuedCommands().empty());
}

TEST(ScpiCommands, OperationCompleteWaitsForTheQueue) {
    ScpiBench bench;
    bench.session.Submit("FREQ 2000;*OPC?;FREQ?");
    EXPECT_TRUE(bench.session.Busy());
    EXPECT_EQ(bench.session.TakeOutput(), "");
    bench.device.Poll();  // DDSSetFrequency
    bench.session.Resume();
    EXPECT_TRUE(bench.session.Busy());
    bench.device.Poll();  // the download
    bench.session.Resume();
    EXPECT_FALSE(bench.session.Busy());
    EXPECT_EQ(bench.session.TakeOutput(), "1;2000\n");
    const std::vector<std::string> calls = bench.library.Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "DDSDownload"), calls.end());
}

TEST(ScpiCommands, WaitHoldsTheRestOfTheLine) {
    ScpiBench bench;
    bench.session.Submit("FREQ 2000;*WAI;VOLT 1");
    EXPECT_TRUE(bench.session.Busy());
    EXPECT_EQ(bench.device.amplitude, 2.0f);
    bench.DrainDevice();
    bench.session.Resume();
    EXPECT_FALSE(bench.session.Busy());
    EXPECT_EQ(bench.device.amplitude, 1.0f);
}

TEST(ScpiCommands, LoadedPointsReachTheDevice) {
    ScpiBench bench;
    bench.Run("DATA:ARB 1,-1");
    bench.DrainDevice();
    // The two points are one period: +1 V for its first half, -1 V for the second
    // (2048 -/+ 2047 x (1 / 3.5), truncated), in every period the buffer holds.
    const std::vector<std::uint16_t> codes = bench.library.lastCodes;
    const int points = bench.device.pointCount;
    const int perPeriod = points / bench.device.periodCount;
    ASSERT_EQ(codes.size(), static_cast<std::size_t>(points));
    EXPECT_EQ(codes[0], 1463);
    EXPECT_EQ(codes[static_cast<std::size_t>(perPeriod / 2 - 1)], 1463);
    EXPECT_EQ(codes[static_cast<std::size_t>(perPeriod / 2 + 1)], 2632);
    EXPECT_EQ(codes[static_cast<std::size_t>(points - 1)], 2632);
}

TEST(ScpiCommands, OperationCompleteDoesNotWaitForAMissingDevice) {
    ScpiBench bench;
    bench.Run("FREQ 2000");
    bench.library.present = 0;
    bench.device.Poll();
    EXPECT_EQ(bench.device.reconnectPending, 1);
    EXPECT_EQ(bench.Run("*OPC?"), "1\n");
}

TEST(ScpiCommands, AnOverlongAnswerIsRefused) {
    ScpiBench bench;
    std::string points = "DATA:ARB 1";
    for (int i = 1; i < kMaxPoints; ++i) {
        points += ",-1.234567";
    }
    bench.Run(points);
    std::string line = "DATA:ARB?";
    for (int i = 0; i < 40; ++i) {
        line += ";DATA:ARB?";
    }
    const std::string reply = bench.Run(line);
    EXPECT_LE(reply.size(), Session::kMaxReplyBytes + 1);
    EXPECT_EQ(reply.back(), '\n');
    EXPECT_EQ(bench.NextError(), "-225,\"Out of memory\"\n");
}

}  // namespace
}  // namespace korvane::scpi
