// The headless server's device sessions: a remote sweep stopped while the device blocks, and a
// generator replugged during a remote sweep.
#include <gtest/gtest.h>

#include "engine/device_library/simulated_device_library.h"
#include "engine/eventually.h"
#include "remote/served_devices.h"
#include "scpi_test_client.h"
#include "support/blocking_library.h"
#include "support/device_checks.h"

namespace korvane {
namespace {

using testing::BlockingLibrary;
using testing::CountCalls;
using testing::HoldsConfiguration;

// The fault: stopping a remote sweep joined the sweep's thread under the instrument's lock, so
// every client waited for the device call in progress.
TEST(DeviceSession, ARemoteClientIsAnsweredWhileASweepStopsOnABlockedDevice) {
    BlockingLibrary library(1);
    library.Hold("DDSSetDivNum");
    scpi::ServedDevices served(library, {"127.0.0.1", 0});
    ASSERT_EQ(served.Start(), "");
    scpi::testing::Client sweeper(served.Port());
    scpi::testing::Client other(served.Port());
    sweeper.Send("SWE:STEP 1;STAT ON\n");
    ASSERT_TRUE(Eventually([&] { return library.Holding(); }));
    sweeper.Send("SWE:STAT OFF;STAT?\n");
    EXPECT_EQ(sweeper.ReadLine(), "0");
    other.Send("*IDN?\n");
    EXPECT_EQ(other.ReadLine().rfind("Korvane,KorvaneAWG,", 0), 0u);
    EXPECT_TRUE(library.Holding()) << "the answers waited for the device";
    library.Release();
    // Once the device answers, the channel gets its configuration back and settles.
    sweeper.Send("*OPC?\n");
    EXPECT_EQ(sweeper.ReadLine(), "1");
    EXPECT_FALSE(library.GaveUp());
}

// The same fault through the headless server: a remote sweep, a replug during it, then the stop.
TEST(DeviceSession, TheHeadlessServerRestoresAGeneratorRepluggedDuringASweep) {
    SimulatedDeviceLibrary simulator(1);
    scpi::ServedDevices served(simulator, {"127.0.0.1", 0});
    ASSERT_EQ(served.Start(), "");
    const ChannelState& channel = served.Channel(0);
    scpi::testing::Client client(served.Port());
    client.Send("TRIG:SOUR EXT;SLOP POS;:OUTP:SWAV ON;:DIG:MODE PROG;:FREQ 5000;*OPC?\n");
    ASSERT_EQ(client.ReadLine(), "1");
    ASSERT_EQ(channel.extTrigger, 1);
    ASSERT_EQ(channel.triggerEdge, 1);
    ASSERT_EQ(channel.singleWave, 1);
    ASSERT_EQ(channel.dioMode, 1);
    client.Send("SWE:STEP 1;STAT ON\n");
    ASSERT_TRUE(Eventually([&] { return CountCalls(simulator, "DDSSetDivNum") >= 3; }));
    simulator.Unplug(0);
    ASSERT_TRUE(Eventually([&] { return channel.reconnectPending == 1; }));
    simulator.Replug(0);
    ASSERT_TRUE(Eventually([&] { return channel.reconnectPending == 0; }));
    client.Send("SWE:STAT OFF;*OPC?\n");
    EXPECT_EQ(client.ReadLine(), "1");
    EXPECT_TRUE(HoldsConfiguration(simulator, channel));
}

}  // namespace
}  // namespace korvane
