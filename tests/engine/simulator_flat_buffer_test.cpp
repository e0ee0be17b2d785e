#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/device_library/simulated_device_library.h"

namespace korvane {
namespace {

// 1 kHz: divider 49, one period of 4082 points.
constexpr int kPoints = 4082;
constexpr double kGenerated = 200e6 / 49 / kPoints;

// Device 0 at 1 kHz.
std::unique_ptr<SimulatedDeviceLibrary> SimulatorAt1kHz() {
    auto sim = std::make_unique<SimulatedDeviceLibrary>(1);
    int points = 0, periods = 0;
    sim->DDSSetFrequency(0, 1000, &points, &periods);
    return sim;
}

double MeasuredFrequency(SimulatedDeviceLibrary& sim) {
    double value = -1;
    sim.DDSGetMeasure(0, 0, &value);
    return value;
}

void Download(SimulatedDeviceLibrary& sim, const std::vector<std::uint16_t>& codes) {
    sim.DDSDownload(0, codes.data(), static_cast<int>(codes.size()));
}

double FrequencyAfter(const std::vector<std::uint16_t>& codes) {
    auto sim = SimulatorAt1kHz();
    Download(*sim, codes);
    return MeasuredFrequency(*sim);
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
    auto sim = SimulatorAt1kHz();
    std::vector<std::uint16_t> codes(kPoints, 2048);
    codes[7] = 0;
    Download(*sim, codes);
    ASSERT_NEAR(MeasuredFrequency(*sim), kGenerated, 1e-9);

    codes[7] = 2048;
    Download(*sim, codes);
    EXPECT_EQ(MeasuredFrequency(*sim), 0.0);
}

TEST(SimulatorFlatBuffer, AnUnpluggedDeviceLosesItsWave) {
    auto sim = SimulatorAt1kHz();
    std::vector<std::uint16_t> codes(kPoints, 2048);
    codes[0] = 0;
    Download(*sim, codes);
    sim->Unplug(0);
    sim->Replug(0);
    EXPECT_EQ(MeasuredFrequency(*sim), 0.0);
    EXPECT_TRUE(sim->Device(0).flat);
}

}  // namespace
}  // namespace korvane
