// A device that takes the wave at full precision gets volts instead of 12-bit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/channel_state.h"
#include "engine/poll_coordinator.h"
#include "recording_library.h"

namespace korvane {
namespace {

// A device that takes volts.
class VoltsLibrary : public testing::RecordingLibrary {
  public:
    std::vector<double> lastVolts;
    bool AcceptsVolts(int) const override { return true; }
    bool DDSDownloadVolts(int, const double* volts, int count) override {
        lastVolts.assign(volts, volts + count);
        Record("DDSDownloadVolts", 1);
        return true;
    }
};

TEST(FullPrecisionDownload, ChannelSendsVoltsToADeviceThatTakesThem) {
    VoltsLibrary library;
    library.points = 4096;
    library.periods = 1;
    PollCoordinator coordinator;
    ChannelState channel(library, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    channel.ConfigureDevice();
    for (int i = 0; i < 5; ++i) {
        channel.Poll();
    }
    const std::vector<std::string> calls = library.Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "DDSDownloadVolts"), calls.end());
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "DDSDownload"), calls.end());
    ASSERT_EQ(library.lastVolts.size(), 4096u);
    // 2 V sine: a quarter period in, the full amplitude, finer than a 12-bit code (1.7 mV).
    EXPECT_NEAR(library.lastVolts[1024], 2.0, 1e-4);
    double largestCodeError = 0.0;
    for (std::size_t i = 0; i < library.lastVolts.size(); ++i) {
        const double ideal = 2.0 * std::sin(6.28318 * static_cast<double>(i) / 4096.0);
        largestCodeError = std::max(largestCodeError, std::fabs(library.lastVolts[i] - ideal));
    }
    EXPECT_LT(largestCodeError, 1e-6);
}

TEST(FullPrecisionDownload, SwitchedOffOutputSendsZeroVolts) {
    VoltsLibrary library;
    library.points = 4096;
    library.periods = 1;
    PollCoordinator coordinator;
    ChannelState channel(library, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    channel.SetOffset(1.0);
    channel.SetOutputOn(0);
    channel.Download();
    ASSERT_EQ(library.lastVolts.size(), static_cast<std::size_t>(channel.pointCount.load()));
    EXPECT_TRUE(std::all_of(library.lastVolts.begin(), library.lastVolts.end(),
                            [](double v) { return v == 0.0; }));
}

}  // namespace
}  // namespace korvane
