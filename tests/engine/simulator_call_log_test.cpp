#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "engine/device_library/simulated_device_library.h"

namespace korvane {
namespace {

using Simulator = SimulatedDeviceLibrary;

TEST(SimulatorCallLog, RecordsNameDeviceAndMainArgumentInOrder) {
    Simulator sim(2);
    int points = 0, periods = 0;
    std::uint16_t word = 0;
    sim.DDSCheck(1);
    sim.DDSSetFrequency(0, 2500.0, &points, &periods);
    sim.DDSSetDigitalOut(1, 0x5a);
    sim.DDSGetDigitalIn(-1, &word);  // calls for absent devices are recorded too

    struct Expected {
        std::string name;
        int device;
        double value;
    } expected[] = {{"DDSCheck", 1, 0},
                    {"DDSSetFrequency", 0, 2500.0},
                    {"DDSSetDigitalOut", 1, 0x5a},
                    {"DDSGetDigitalIn", -1, 0}};
    const std::vector<Simulator::Call> log = sim.CallLog();
    ASSERT_EQ(log.size(), std::size(expected));
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].name, expected[i].name) << i;
        EXPECT_EQ(log[i].device, expected[i].device) << i;
        EXPECT_EQ(log[i].value, expected[i].value) << i;
    }
    EXPECT_LE(log.front().when, log.back().when);
}

TEST(SimulatorCallLog, AFullLogKeepsTheNewestCalls) {
    Simulator sim(1);
    const int total = static_cast<int>(Simulator::kCallLogCapacity) + 250;
    for (int i = 0; i < total; ++i) {
        sim.DDSSetDivNum(0, i);
    }
    const std::vector<Simulator::Call> log = sim.CallLog();
    ASSERT_EQ(log.size(), Simulator::kCallLogCapacity);
    EXPECT_EQ(log.front().value, 250);
    EXPECT_EQ(log.back().value, total - 1);
    for (std::size_t i = 1; i < log.size(); ++i) {
        ASSERT_EQ(log[i].value, log[i - 1].value + 1) << i;
    }
}

TEST(SimulatorCallLog, ClearingStartsANewRecord) {
    Simulator sim(1);
    sim.DDSCheck(0);
    sim.ClearCallLog();
    EXPECT_TRUE(sim.CallLog().empty());
    sim.DDSResetCounter(0);
    const std::vector<Simulator::Call> log = sim.CallLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].name, "DDSResetCounter");
}

TEST(SimulatorCallLog, TheObserverSeesEachCallAsLogged) {
    Simulator sim(1);
    std::vector<std::string> seen;
    sim.SetCallObserver([&](const Simulator::Call& call) { seen.emplace_back(call.name); });
    double value = 0;
    sim.DDSGetMeasure(0, 1, &value);
    sim.DDSSetPowerOnOutput(0, 1);
    sim.SetCallObserver(nullptr);
    sim.DDSCheck(0);
    EXPECT_EQ(seen, (std::vector<std::string>{"DDSGetMeasure", "DDSSetPowerOnOutput"}));
}

// Workers of several channels call at once; every call lands in the log exactly once.
TEST(SimulatorCallLog, CallsFromSeveralThreadsAreAllRecorded) {
    Simulator sim(4);
    constexpr int kCallsPerThread = 500;
    std::vector<std::thread> threads;
    for (int device = 0; device < 4; ++device) {
        threads.emplace_back([&sim, device] {
            for (int i = 0; i < kCallsPerThread; ++i) {
                sim.DDSSetDigitalOut(device, static_cast<std::uint32_t>(i));
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    int perDevice[4] = {};
    for (const Simulator::Call& call : sim.CallLog()) {
        ++perDevice[call.device];
    }
    for (int count : perDevice) {
        EXPECT_EQ(count, kCallsPerThread);
    }
}

}  // namespace
}  // namespace korvane
