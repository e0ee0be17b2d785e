// SWEep commands: the channel's device session steps the sweep, stopping restores the channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/device_session.h"
#include "engine/eventually.h"
#include "scpi_fixture.h"

namespace korvane::scpi {
namespace {

using testing::ScpiBench;

TEST(ScpiSweep, RemoteSweepStepsTheDividerAndStops) {
    ScpiBench bench;
    bench.Run("SWE:STAR 1000;STOP 100000;STEP 1;STAT ON");
    EXPECT_EQ(bench.device.sweepOn, 1);
    EXPECT_EQ(bench.device.sweepStartDivider, 49);
    EXPECT_EQ(bench.device.sweepEndDivider, 2);
    // The channel's own polling is idle while it sweeps.
    bench.library.Clear();
    bench.device.Poll();
    EXPECT_TRUE(bench.library.Calls().empty());
    auto contains = [](const std::vector<std::string>& calls, const char* name) {
        return std::find(calls.begin(), calls.end(), name) != calls.end();
    };
    std::size_t atOff = 0;
    {
        DeviceSession session(bench.device);  // the channel's session steps the sweep
        ASSERT_TRUE(Eventually([&] { return contains(bench.library.Calls(), "DDSSetDivNum"); }));
        EXPECT_EQ(bench.Run("SWE:STAT?"), "1\n");
        atOff = bench.library.Calls().size();
        bench.Run("SWE:STAT OFF");
        EXPECT_EQ(bench.device.sweepOn, 0);
        EXPECT_EQ(bench.Run("SWE:STAT?"), "0\n");
        // The session gives the device its whole configuration back, then the channel settles.
        ASSERT_TRUE(Eventually([&] {
            return bench.device.sweepRestorePending == 0 && bench.device.QueuedCommands().empty();
        }));
        EXPECT_EQ(bench.Run("*OPC?"), "1\n");
    }  // every call of the session has been made
    const std::vector<std::string> calls = bench.library.Calls();
    const std::vector<std::string> afterOff(calls.begin() + static_cast<std::ptrdiff_t>(atOff),
                                            calls.end());
    const std::vector<std::string> restore = {"DDSSetFrequency", "DDSSetTrigger",
                                              "DDSSetDIOMode",   "DDSSetSingleWave",
                                              "DDSSetFrequency", "DDSDownload"};
    auto next = afterOff.begin();
    for (const std::string& name : restore) {
        next = std::find(next, afterOff.end(), name);
        ASSERT_NE(next, afterOff.end()) << name << " missing after SWE:STAT OFF";
        ++next;
    }
}

TEST(ScpiSweep, ASweepStopsWhenItsChannelLeaves) {
    ScpiBench bench;
    bench.Run("SWE:STEP 1;STAT ON");
    bench.instrument.SetChannels({&bench.demo});
    EXPECT_EQ(bench.device.sweepOn, 0);
}

// The end was raised to the start, so the sweep stood at the start frequency.
TEST(ScpiSweep, StartAboveEndSweepsDownward) {
    ScpiBench bench;
    bench.Run("SWE:STAR 5000;STOP 2000;STAT ON");
    EXPECT_EQ(bench.device.sweepEndFrequency, 2000.0);
    EXPECT_EQ(bench.device.sweepStartDivider, ClockDivider(5000.0));
    EXPECT_EQ(bench.device.sweepDividerStep, 1);  // the divider rises: the frequency falls
    // A running sweep takes a new end below its start the same way.
    bench.Run("SWE:STAR 2000;STOP 8000");
    EXPECT_EQ(bench.device.sweepDividerStep, -1);
    bench.Run("SWE:STOP 500");
    EXPECT_EQ(bench.device.sweepStartFrequency, 2000.0);
    EXPECT_EQ(bench.device.sweepEndFrequency, 500.0);
    EXPECT_EQ(bench.device.sweepDividerStep, 1);
    bench.Run("SWE:STAT OFF");
}

}  // namespace
}  // namespace korvane::scpi
