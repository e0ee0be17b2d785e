#include "engine/channel_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "formats/channel_fixture.h"

namespace korvane {
namespace {

TEST(DeriveArbitraryPoints, SamplesOnePeriodOfTheRealWaveInVolts) {
    ChannelFixture fixture;
    ChannelState& c = fixture.channel;
    c.pointCount = 4000;
    c.periodCount = 2;
    c.frequency = 100000.0;
    c.amplitude = 3.0f;
    c.offset = 0.5;
    DeriveArbitraryPoints(c);

    ASSERT_EQ(c.arbPointCount.load(), 2000);
    EXPECT_EQ(c.arbScrollRange.load(), 4000);
    EXPECT_EQ(c.arbSampleRate.load(), 200000000.0f / ClockDivider(100000.0));
    EXPECT_EQ(c.waveNumber.load(), 3);  // untouched
    // Sine: the offset at the start, the peak a quarter period in, the trough at three quarters.
    EXPECT_NEAR(c.arbPoints[0], 0.5, 1e-4);
    EXPECT_NEAR(c.arbPoints[500], 3.5, 1e-3);
    EXPECT_NEAR(c.arbPoints[1500], -2.5, 1e-3);
}

TEST(DeriveArbitraryPoints, KeepsTheSquaresDutyAndTheAttenuator) {
    ChannelFixture fixture;
    ChannelState& c = fixture.channel;
    c.pointCount = 1000;
    c.periodCount = 1;
    c.waveType = Square;
    c.squareDuty = 0.25f;
    c.attenuate20dB = 1;
    DeriveArbitraryPoints(c);
    ASSERT_EQ(c.arbPointCount.load(), 1000);
    int high = 0;
    for (int j = 0; j < 1000; ++j) {
        float v = c.arbPoints[static_cast<std::size_t>(j)];
        EXPECT_NEAR(std::fabs(v), 0.2, 1e-5) << j;
        high += v > 0.0f;
    }
    EXPECT_EQ(high, 250);
}

TEST(DeriveArbitraryPoints, GuardsAgainstZeroPeriodsAndOversizedBuffers) {
    ChannelFixture fixture;
    ChannelState& c = fixture.channel;
    c.periodCount = 0;
    c.pointCount = 9000;
    DeriveArbitraryPoints(c);
    EXPECT_EQ(c.arbPointCount.load(), 4096);
    c.pointCount = 0;
    c.periodCount = 1;
    DeriveArbitraryPoints(c);
    EXPECT_EQ(c.arbPointCount.load(), 1);
}

}  // namespace
}  // namespace korvane
