// The device session: the first configuration, polling, sweeps with a replug in the middle and
// the end of the session, with the simulator and with a library whose calls block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "engine/detached_threads.h"
#include "engine/device_library/shared_object_device_library.h"
#include "engine/device_library/tracing_device_library.h"
#include "engine/device_session.h"
#include "engine/eventually.h"
#include "engine/noise.h"
#include "engine/synthesis.h"
#include "support/blocking_library.h"
#include "support/device_checks.h"

namespace korvane {
namespace {

using testing::BlockingLibrary;
using testing::CountCalls;
using testing::HoldsConfiguration;

struct SessionBench {
    SimulatedDeviceLibrary simulator{1};
    PollCoordinator coordinator;
    std::shared_ptr<ChannelState> channel = std::make_shared<ChannelState>(simulator, coordinator);

    SessionBench() {
        channel->demo = 0;
        channel->deviceIndex = 0;
        // A configuration unlike the device's own defaults in every part.
        channel->SetExtTrigger(1);
        channel->SetTriggerEdge(1);
        channel->SetSingleWave(1);
        channel->SetDioMode(1);
        channel->SetFrequency(5000.0);
        channel->SetWaveType(Square);
        channel->sweepStartFrequency = 1000.0;
        channel->sweepEndFrequency = 100000.0;
        channel->sweepSpeed = 1;
    }
};

TEST(DeviceSession, ConfiguresTheDeviceOnItsWorkerInTheProgramsOrder) {
    SessionBench b;
    std::vector<std::thread::id> threads;
    std::mutex mutex;
    b.simulator.SetCallObserver([&](const SimulatedDeviceLibrary::Call&) {
        std::lock_guard lock(mutex);
        threads.push_back(std::this_thread::get_id());
    });
    {
        DeviceSession session(b.channel);
        ASSERT_TRUE(Eventually([&] { return HoldsConfiguration(b.simulator, *b.channel); }));
    }
    b.simulator.SetCallObserver(nullptr);
    const auto log = b.simulator.CallLog();
    const std::vector<std::string_view> first = {"DDSSetFrequency", "DDSSetTrigger",
                                                 "DDSSetDIOMode",   "DDSSetSingleWave",
                                                 "DDSSetFrequency", "DDSCheck"};
    ASSERT_GE(log.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(log[i].name, first[i]) << i;
    }
    EXPECT_EQ(log.back().name, "DDSSetPowerOnOutput");  // the session's last call
    EXPECT_EQ(b.simulator.Device(0).powerOnOutput, 1);
    for (const std::thread::id thread : threads) {
        EXPECT_NE(thread, std::this_thread::get_id());
    }
}

// The fault: a sweeping channel never checked its device, and stopping the sweep sent only the
// frequency, so a generator replugged during a sweep came back without its trigger, single
// wave and DIO mode.
TEST(DeviceSession, AReplugDuringASweepIsNoticedAndStoppingRestoresEverything) {
    SessionBench b;
    DeviceSession session(b.channel);
    ASSERT_TRUE(Eventually([&] { return HoldsConfiguration(b.simulator, *b.channel); }));

    b.channel->StartSweep();
    ASSERT_TRUE(Eventually([&] { return CountCalls(b.simulator, "DDSSetDivNum") >= 3; }));
    b.simulator.Unplug(0);
    ASSERT_TRUE(Eventually([&] { return b.channel->reconnectPending == 1; }))
        << "the sweep's steps did not notice the missing device";
    b.simulator.Replug(0);
    // Still sweeping: the device gets its configuration back, and the steps go on.
    ASSERT_TRUE(Eventually([&] { return b.channel->reconnectPending == 0; }));
    EXPECT_EQ(b.channel->sweepOn, 1);
    const SimulatedDeviceLibrary::DeviceState back = b.simulator.Device(0);
    EXPECT_EQ(back.externalTrigger, 1);
    EXPECT_EQ(back.singleWave, 1);
    EXPECT_EQ(back.dioMode, 1);
    b.simulator.ClearCallLog();
    ASSERT_TRUE(Eventually([&] { return CountCalls(b.simulator, "DDSSetDivNum") >= 2; }));

    b.channel->StopSweep();
    EXPECT_TRUE(Eventually([&] { return HoldsConfiguration(b.simulator, *b.channel); }))
        << HoldsConfiguration(b.simulator, *b.channel).message();
}

TEST(DeviceSession, ASweepStartedWhileWorkersArePausedSteps) {
    SessionBench b;
    DeviceSession session(b.channel);
    ASSERT_TRUE(Eventually([&] { return HoldsConfiguration(b.simulator, *b.channel); }));
    b.coordinator.SetPaused(true);  // as the Sweep dialog does
    b.channel->StartSweep();
    EXPECT_TRUE(Eventually([&] { return CountCalls(b.simulator, "DDSSetDivNum") >= 3; }));
    b.channel->StopSweep();
    EXPECT_TRUE(Eventually([&] { return HoldsConfiguration(b.simulator, *b.channel); }))
        << "the configuration was not restored while the dialog is still open";
    b.coordinator.SetPaused(false);
}

TEST(DeviceSession, DetachingDoesNotWaitForABlockedCall) {
    BlockingLibrary library(1);
    PollCoordinator coordinator;
    auto channel = std::make_shared<ChannelState>(library, coordinator);
    channel->demo = 0;
    channel->deviceIndex = 0;
    library.Hold("DDSCheck");
    auto session = std::make_unique<DeviceSession>(channel);
    ASSERT_TRUE(Eventually([&] { return library.Holding(); }));
    session->Detach();
    session.reset();
    channel.reset();  // the worker keeps its channel alive
    EXPECT_TRUE(library.Holding()) << "ending the session waited for the device";
    library.Release();
    JoinDetachedThreads();
    EXPECT_FALSE(library.GaveUp());
    const auto log = library.simulator.CallLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().name, "DDSSetPowerOnOutput");
}

// The same replug with the test driver loaded as a real driver is: its control file unplugs the
// generator. The device's trace shows the whole configuration sent after the sweep's last step.
TEST(DeviceSession, ATestDriverRepluggedDuringASweepGetsItsConfigurationBack) {
    const std::string control = ::testing::TempDir() + "replug_driver_control";
    const std::string trace = ::testing::TempDir() + "replug_driver_trace";
    std::remove(trace.c_str());
    ::setenv("KVDDS_SLOW_MS", "0", 1);
    ::setenv("KVDDS_SLOW_CONTROL", control.c_str(), 1);
    std::ofstream(control) << "plugged\n";
    auto driver = std::make_unique<SharedObjectDeviceLibrary>(KORVANE_SLOW_DRIVER);
    ASSERT_TRUE(driver->Loaded()) << driver->ErrorText();
    TracingDeviceLibrary library(std::move(driver), trace);
    PollCoordinator coordinator;
    auto channel = std::make_shared<ChannelState>(library, coordinator);
    channel->demo = 0;
    channel->deviceIndex = 0;
    channel->SetExtTrigger(1);
    channel->SetTriggerEdge(1);
    channel->SetSingleWave(1);
    channel->SetDioMode(1);
    channel->sweepSpeed = 1;
    const auto traced = [&] {
        std::ifstream in(trace);
        std::vector<std::string> calls;
        for (std::string line; std::getline(in, line);) {
            const std::size_t call = line.find("DDS");
            calls.push_back(line.substr(call, line.find(" ->") - call));
        }
        return calls;
    };
    {
        DeviceSession session(channel);
        channel->StartSweep();
        ASSERT_TRUE(Eventually([&] {
            const auto calls = traced();
            return std::count_if(calls.begin(), calls.end(), [](const std::string& c) {
                       return c.starts_with("DDSSetDivNum");
                   }) >= 3;
        }));
        std::ofstream(control) << "unplugged\n";
        ASSERT_TRUE(Eventually([&] { return channel->reconnectPending == 1; }));
        std::ofstream(control) << "plugged\n";
        ASSERT_TRUE(Eventually([&] { return channel->reconnectPending == 0; }));
        channel->StopSweep();
        ASSERT_TRUE(Eventually([&] {
            const auto calls = traced();
            const auto lastStep =
                std::find_if(calls.rbegin(), calls.rend(),
                             [](const std::string& c) { return c.starts_with("DDSSetDivNum"); });
            std::vector<std::string> after(lastStep.base(), calls.end());
            const auto has = [&](const char* call) {
                return std::find(after.begin(), after.end(), call) != after.end();
            };
            return has("DDSSetTrigger(0, 1, 1)") && has("DDSSetDIOMode(0, 1)") &&
                   has("DDSSetSingleWave(0, 1)") &&
                   std::any_of(after.begin(), after.end(), [](const std::string& c) {
                       return c.starts_with("DDSDownload(0, ");
                   });
        }));
    }
    std::remove(control.c_str());
    std::remove(trace.c_str());
    ::unsetenv("KVDDS_SLOW_CONTROL");
    ::unsetenv("KVDDS_SLOW_MS");
}

// The slow test driver: calls sleep as configured and the generator can be unplugged.
TEST(SlowDriver, AnswersAndIsUnpluggedThroughItsControlFile) {
    const std::string control = ::testing::TempDir() + "slow_driver_control";
    ::setenv("KVDDS_SLOW_MS", "0", 1);
    ::setenv("KVDDS_SLOW_CONTROL", control.c_str(), 1);
    SharedObjectDeviceLibrary driver(KORVANE_SLOW_DRIVER);
    ASSERT_TRUE(driver.Loaded()) << driver.ErrorText();
    EXPECT_EQ(driver.DDSSearch(), 1);
    EXPECT_EQ(driver.DDSCheck(0), 1);
    EXPECT_EQ(driver.DDSCheck(1), 0);
    std::ofstream(control) << "unplugged\n";
    EXPECT_EQ(driver.DDSCheck(0), 0);
    std::ofstream(control) << "plugged\n";
    EXPECT_EQ(driver.DDSCheck(0), 1);
    int points = 0;
    int periods = 0;
    driver.DDSSetFrequency(0, 1000.0, &points, &periods);
    EXPECT_EQ(points, 4000);
    std::remove(control.c_str());
    ::unsetenv("KVDDS_SLOW_CONTROL");
    ::unsetenv("KVDDS_SLOW_MS");
}

}  // namespace
}  // namespace korvane
