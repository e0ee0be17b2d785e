#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "engine/device_library/simulated_device_library.h"
#include "engine/device_session.h"
#include "engine/eventually.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;

int CountCalls(const SimulatedDeviceLibrary& sim, const std::string& name) {
    int n = 0;
    for (const auto& call : sim.CallLog()) {
        n += call.name == name;
    }
    return n;
}

struct RealChannel {
    SimulatedDeviceLibrary simulator{1};
    PollCoordinator coordinator;
    ChannelState channel{simulator, coordinator};
    RealChannel() {
        channel.demo = 0;
        channel.deviceIndex = 0;
    }
};

TEST(Worker, PollsUntilTheSetterReachesTheDevice) {
    RealChannel r;
    DeviceSession session(r.channel);
    ASSERT_TRUE(Eventually([&] { return r.simulator.Device(0).codes.size() == 4082; }));
    r.channel.SetFrequency(100000.0);
    ASSERT_TRUE(Eventually([&] { return r.simulator.Device(0).codes.size() == 4000; }));
    EXPECT_EQ(r.channel.pointCount, 4000);
}

TEST(Worker, PausedWorkersDoNotPoll) {
    RealChannel r;
    DeviceSession session(r.channel);
    ASSERT_TRUE(Eventually([&] { return CountCalls(r.simulator, "DDSCheck") > 0; }));
    r.coordinator.SetPaused(true);
    std::this_thread::sleep_for(60ms);  // lets a cycle that was already running finish
    int before = CountCalls(r.simulator, "DDSCheck");
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(CountCalls(r.simulator, "DDSCheck"), before);
    r.coordinator.SetPaused(false);
    EXPECT_TRUE(Eventually([&] { return CountCalls(r.simulator, "DDSCheck") > before; }));
}

TEST(Worker, StopsWhilePaused) {
    RealChannel r;
    r.coordinator.SetPaused(true);
    auto worker = std::make_unique<DeviceSession>(r.channel);
    std::this_thread::sleep_for(60ms);  // the worker is now asleep on the pause
    std::atomic<bool> stopped{false};
    std::thread stopper([&] {
        worker.reset();
        stopped = true;
    });
    EXPECT_TRUE(Eventually([&] { return stopped.load(); })) << "the stop waited for the pause";
    r.coordinator.SetPaused(false);  // ends a hung stop, so the test finishes either way
    stopper.join();
}

TEST(Worker, StopNeverCutsALibraryCallInHalf) {
    RealChannel r;
    std::atomic<int> inside{0};
    std::atomic<int> overlapAfterStop{0};
    std::atomic<bool> stopped{false};
    r.simulator.SetCallObserver([&](const SimulatedDeviceLibrary::Call&) {
        ++inside;
        std::this_thread::sleep_for(1ms);
        if (stopped) {
            ++overlapAfterStop;
        }
        --inside;
    });
    {
        DeviceSession session(r.channel);
        ASSERT_TRUE(Eventually([&] { return inside.load() > 0; }));
    }
    stopped = true;
    EXPECT_EQ(inside.load(), 0);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(overlapAfterStop.load(), 0);
    r.simulator.SetCallObserver(nullptr);
}

// A GUI-like thread edits every kind of field while several workers poll; run under
// ThreadSanitizer this proves the sharing rules.
TEST(WorkerStress, GuiWriterAndWorkers) {
    constexpr int kChannels = 4;
    SimulatedDeviceLibrary simulator(kChannels);
    PollCoordinator coordinator;
    std::vector<std::unique_ptr<ChannelState>> channels;
    std::vector<std::unique_ptr<DeviceSession>> workers;
    for (int i = 0; i < kChannels; ++i) {
        channels.push_back(std::make_unique<ChannelState>(simulator, coordinator));
        channels.back()->demo = i == kChannels - 1 ? 1 : 0;
        channels.back()->deviceIndex = i == kChannels - 1 ? -1 : i;
        workers.push_back(std::make_unique<DeviceSession>(*channels.back()));
    }
    std::thread gui([&] {
        for (int step = 0; step < 400; ++step) {
            for (auto& c : channels) {
                c->SetFrequency(1000.0 + step * 10);
                c->SetWaveType(step % kWaveTypeCount);
                c->SetAmplitude(static_cast<float>(step % 35) / 10.0f);
                c->SetOffset(step % 3);
                c->arbPoints[static_cast<std::size_t>(step % kMaxPoints)] = 1.0f;
                c->squareDuty = 0.3f;
                c->digitalOut = static_cast<std::uint16_t>(step);
                c->SetMeasureFrequency(step % 2);
                c->RequestDownload();
                if (step % 50 == 0) {
                    c->SetArbView(0.5f);
                }
                (void)c->measuredFrequency.load();
                (void)c->digitalIn.load();
            }
            if (step % 100 == 0) {
                coordinator.SetPaused(true);
                channels[0]->StartSweep();
                channels[0]->SweepStep();
                channels[0]->StopSweep();
                coordinator.SetPaused(false);
            }
            if (step == 200) {
                simulator.Unplug(1);
            }
            if (step == 260) {
                simulator.Replug(1);
            }
            std::this_thread::sleep_for(1ms);
        }
    });
    gui.join();
    workers.clear();
    // Every real channel still reaches its device after the storm.
    EXPECT_GT(CountCalls(simulator, "DDSDownload"), 0);
    EXPECT_FALSE(simulator.Device(0).codes.empty());
}

}  // namespace
}  // namespace korvane
