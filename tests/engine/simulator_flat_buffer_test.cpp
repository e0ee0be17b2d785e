#include <gtest/gtest.h>

#include <vector>

#include "engine/device_library/simulated_device_library.h"

namespace korvane {
namespace {

// 1 kHz: divider 49, one period of 4082 points.
constexpr int kPoints = 4082;
constexpr double kGenerated = 200e6 / 49 / kPoints;

double FrequencyAfter(const std::vector<std::uint16_t>& codes) {
    SimulatedDeviceLibrary sim(1);
    int points = 0, periods = 0;
    sim.DDSSetFrequency(0, 1000, &points, &periods);
    sim.DDSDownload(0, codes.data(), static_cast<int>(codes.size()));
    double value = -1;
    sim.DDSGetMeasure(0, 0, &value);
    return value;
}

TEST(SimulatorFlatBuffer, OnlyAShapedBufferGeneratesAFrequency) {
    std::vector<std::uint16_t> level(kPoints, 2048);
    std::vector<std::uint16_t> firstDiffers = level;
    firstDiffers.front() = 100;
    std::vector<std::uint16_t> lastDiffers = level;
    lastDiffers.back() = 4095;
    struct Case {
        const char* what;
        std::vector<std::uint16_t> codes;
        double measured;
    } cases[] = {
        {"empty", {}, 0.0},
        {"one level", level, 0.0},
        {"first code differs", firstDiffers, kGenerated},
        {"last code differs", lastDiffers, kGenerated},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(FrequencyAfter(c.codes), c.measured, 1e-9) << c.what;
    }
}

TEST(SimulatorFlatBuffer, AFlatDownloadAfterAShapedOneStopsTheOutput) {
    SimulatedDeviceLibrary sim(1);
    int points = 0, periods = 0;
    sim.DDSSetFrequency(0, 1000, &points, &periods);
    std::vector<std::uint16_t> codes(kPoints, 2048);
    codes[7] = 0;
    sim.DDSDownload(0, codes.data(), kPoints);
    double value = -1;
    sim.DDSGetMeasure(0, 0, &value);
    ASSERT_NEAR(value, kGenerated, 1e-9);

    codes[7] = 2048;
    sim.DDSDownload(0, codes.data(), kPoints);
    sim.DDSGetMeasure(0, 0, &value);
    EXPECT_EQ(value, 0.0);
}

TEST(SimulatorFlatBuffer, AnUnpluggedDeviceLosesItsWave) {
    SimulatedDeviceLibrary sim(1);
    int points = 0, periods = 0;
    sim.DDSSetFrequency(0, 1000, &points, &periods);
    std::vector<std::uint16_t> codes(kPoints, 2048);
    codes[0] = 0;
    sim.DDSDownload(0, codes.data(), kPoints);
    sim.Unplug(0);
    sim.Replug(0);
    double value = -1;
    sim.DDSGetMeasure(0, 0, &value);
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(sim.Device(0).flat);
}

}  // namespace
}  // namespace korvane
