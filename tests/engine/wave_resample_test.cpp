// Fitting imported values to the point table: resampling over one period, the scale and the
// clipping at the ±3.5 V the DAC puts out.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "engine/wave_resample.h"

namespace korvane {
namespace {

TEST(WaveResampleTest, ValuesThatFitAreKeptAsTheyAre) {
    FittedWave fitted = FitToTable(std::vector<double>{0.5, -1.25, 3.5}, {});
    EXPECT_EQ(fitted.points, (std::vector<float>{0.5f, -1.25f, 3.5f}));
    EXPECT_EQ(fitted.clippedCount, 0);
}

TEST(WaveResampleTest, LongInputIsLimitedToTheTableAndAveragedNotPicked) {
    // Alternating ±3 V would survive picking every other value; averaging pairs removes it.
    std::vector<double> alternating(8192);
    for (std::size_t k = 0; k < alternating.size(); ++k) {
        alternating[k] = k % 2 ? -3.0 : 3.0;
    }
    FittedWave fitted = FitToTable(alternating, {});
    ASSERT_EQ(fitted.points.size(), 4096u);
    for (float volts : fitted.points) {
        ASSERT_NEAR(volts, 0.0f, 1e-6f);
    }
}

TEST(WaveResampleTest, UnevenSharesWeighTheValuesTheyCover) {
    // Three values into two points: each point covers one and a half values.
    FitOptions two;
    two.pointCount = 2;
    FittedWave fitted = FitToTable(std::vector<double>{3.0, 0.0, -3.0}, two);
    ASSERT_EQ(fitted.points.size(), 2u);
    EXPECT_NEAR(fitted.points[0], 2.0f, 1e-6f);  // (3 + 0 / 2) / 1.5
    EXPECT_NEAR(fitted.points[1], -2.0f, 1e-6f);
}

TEST(WaveResampleTest, ALongSineKeepsItsShapeOverOnePeriod) {
    std::vector<double> sine(10000);
    for (std::size_t k = 0; k < sine.size(); ++k) {
        sine[k] = 2.0 * std::sin(2.0 * std::numbers::pi * static_cast<double>(k) / 10000.0);
    }
    FitOptions options;
    options.pointCount = 1000;
    FittedWave fitted = FitToTable(sine, options);
    ASSERT_EQ(fitted.points.size(), 1000u);
    for (std::size_t j = 0; j < 1000; j += 125) {
        // Each point averages ten values centred half a value step after its start.
        double centre = (static_cast<double>(j) * 10.0 + 4.5) / 10000.0;
        EXPECT_NEAR(fitted.points[j], 2.0 * std::sin(2.0 * std::numbers::pi * centre), 1e-3)
            << "point " << j;
    }
}

TEST(WaveResampleTest, ShortInputIsInterpolatedAroundThePeriodOrKept) {
    FitOptions six;
    six.pointCount = 6;
    FittedWave interpolated = FitToTable(std::vector<double>{0.0, 3.0, -3.0}, six);
    EXPECT_EQ(interpolated.points, (std::vector<float>{0.0f, 1.5f, 3.0f, 0.0f, -3.0f, -1.5f}));

    six.interpolateShort = false;
    FittedWave kept = FitToTable(std::vector<double>{0.0, 3.0, -3.0}, six);
    EXPECT_EQ(kept.points, (std::vector<float>{0.0f, 3.0f, -3.0f}));
}

TEST(WaveResampleTest, ACountBeyondTheTableIsLimitedToIt) {
    FitOptions many;
    many.pointCount = 5000;
    EXPECT_EQ(FittedPointCount(3, many), 4096);
    EXPECT_EQ(FitToTable(std::vector<double>{1.0, 2.0}, many).points.size(), 4096u);
}

TEST(WaveResampleTest, NormalisingScalesTheLargestMagnitudeToThePeak) {
    FitOptions peak;
    peak.scale = WaveScale::PeakVolts;
    peak.peakVolts = 2.0;
    FittedWave fitted = FitToTable(std::vector<double>{0.1, -0.4, 0.2}, peak);
    EXPECT_EQ(fitted.points, (std::vector<float>{0.5f, -2.0f, 1.0f}));
    FittedWave silence = FitToTable(std::vector<double>{0.0, 0.0}, peak);
    EXPECT_EQ(silence.points, (std::vector<float>{0.0f, 0.0f}));
}

TEST(WaveResampleTest, ValuesBeyondTheFullScaleAreClippedAndCounted) {
    FittedWave fitted = FitToTable(std::vector<double>{5.0, 3.5, -3.6, 0.0}, {});
    EXPECT_EQ(fitted.points, (std::vector<float>{3.5f, 3.5f, -3.5f, 0.0f}));
    EXPECT_EQ(fitted.clippedCount, 2);

    FitOptions peak;
    peak.scale = WaveScale::PeakVolts;
    peak.peakVolts = 5.0;
    EXPECT_EQ(FitToTable(std::vector<double>{1.0, -1.0, 0.5}, peak).clippedCount, 2);
}

TEST(WaveResampleTest, NoValuesGiveAnEmptyTable) {
    EXPECT_TRUE(FitToTable({}, {}).points.empty());
}

}  // namespace
}  // namespace korvane
