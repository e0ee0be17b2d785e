#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "engine/device_library/simulated_device_library.h"
#include "engine/device_session.h"
#include "engine/eventually.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;

// The frequency field hands every keystroke's value to the channel while the worker runs, as
// the panel does while a number is typed.
TEST(FastTyping, TheDeviceEndsWithTheBufferOfTheLastFrequency) {
    SimulatedDeviceLibrary simulator(1);
    PollCoordinator coordinator;
    ChannelState channel(simulator, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    std::atomic<int> cycles{0};
    simulator.SetCallObserver([&](const SimulatedDeviceLibrary::Call& call) {
        cycles += call.name == "DDSCheck";  // each worker cycle starts with it
    });
    DeviceSession session(channel);

    // Every prefix of these numbers gives a buffer of another size (25 Hz: 4094 points, 310 Hz:
    // 4083, 650 Hz: 4049).
    const std::array<const char*, 4> numbers = {"25", "310", "65", "650"};
    for (int n = 0; n < 40; ++n) {
        const std::string number = numbers[static_cast<std::size_t>(n) % numbers.size()];
        for (std::size_t keys = 1; keys <= number.size(); ++keys) {
            channel.SetFrequency(std::stod(number.substr(0, keys)));
            std::this_thread::sleep_for(12ms);
        }
        // Wait until the queue is empty and a later cycle has begun, so the command taken last
        // has been carried out.
        ASSERT_TRUE(Eventually([&] { return channel.QueuedCommands().empty(); })) << number;
        const int seen = cycles;
        ASSERT_TRUE(Eventually([&] { return cycles > seen; }));

        int points = 0;
        int periods = 0;
        SimulatedDeviceLibrary::BufferLayout(channel.frequency, &points, &periods);
        const SimulatedDeviceLibrary::DeviceState device = simulator.Device(0);
        ASSERT_EQ(device.pointCount, points) << number;
        ASSERT_EQ(device.codes.size(), static_cast<std::size_t>(points))
            << "typing " << number << " left the buffer of an earlier frequency";
        // The next number starts at another point of the 20 ms cycle.
        std::this_thread::sleep_for(std::chrono::milliseconds(n * 7 % 20));
    }
}

}  // namespace
}  // namespace korvane
