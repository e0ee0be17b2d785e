// A device that plays no higher than some frequency limits the channel's frequency, for every
// caller of the channel rules.
#include <gtest/gtest.h>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/poll_coordinator.h"
#include "recording_library.h"

namespace korvane {
namespace {

class AudioRangeLibrary : public testing::RecordingLibrary {
  public:
    double MaxFrequency(int device) const override {
        return device >= 0 ? 23999.0 : DeviceLibrary::MaxFrequency(device);
    }
};

struct Limited {
    AudioRangeLibrary library;
    PollCoordinator coordinator;
    ChannelState channel{library, coordinator};
    Limited() {
        channel.demo = 0;
        channel.deviceIndex = 0;
    }
};

TEST(DeviceFrequencyLimit, TypedFrequencyStopsAtTheDevicesLimit) {
    Limited c;
    c.channel.SetFrequency(30000.0);
    EXPECT_EQ(c.channel.frequency, 23999.0);
    c.channel.SetFrequency(12000.0);
    EXPECT_EQ(c.channel.frequency, 12000.0);
    EXPECT_EQ(FrequencyRange(c.channel).high, 23999.0);
    EXPECT_EQ(MaxFrequency(c.channel, Square), 23999.0);
}

TEST(DeviceFrequencyLimit, SweepStopsThereToo) {
    Limited c;
    EXPECT_EQ(SweepFrequencyRange(c.channel).high, 23999.0);
    EXPECT_EQ(SweepFrequencyRange(c.channel).low, kSweepFrequencyRange.low);
}

TEST(DeviceFrequencyLimit, HardwareKeepsTheWaveTypesLimits) {
    testing::RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState channel(library, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    EXPECT_EQ(MaxFrequency(channel, Sine), kMaxSineFrequency);
    EXPECT_EQ(MaxFrequency(channel, Square), kMaxOtherFrequency);
    EXPECT_EQ(SweepFrequencyRange(channel).high, kSweepFrequencyRange.high);
}

TEST(DeviceFrequencyLimit, ADemoChannelIsNotLimitedByTheDevice) {
    Limited c;
    c.channel.demo = 1;
    c.channel.deviceIndex = -1;
    c.channel.SetFrequency(30000.0);
    EXPECT_EQ(c.channel.frequency, 30000.0);
}

}  // namespace
}  // namespace korvane
