// The spectrum of the DAC codes: known harmonic series of standard waves, every wave type, the
// quantisation floor, and the cases without a spectrum.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/wave_harmonics.h"

namespace korvane {
namespace {

WaveParams FullScale(int waveType, int points = kMaxPoints, int periods = 1) {
    WaveParams params;
    params.waveType = waveType;
    params.amplitude = 3.5f;
    params.pointCount = points;
    params.periodCount = periods;
    return params;
}

WaveSpectrum SpectrumOf(const WaveParams& params) {
    SpectrumAnalyser analyser;
    WaveSpectrum spectrum;
    EXPECT_EQ(SpectrumOfWave(params, analyser, spectrum), "");
    return spectrum;
}

TEST(WaveSpectrumTest, AFullScaleSineHasOnlyItsFundamentalAboveTheQuantisation) {
    WaveSpectrum spectrum = SpectrumOf(FullScale(Sine));
    ASSERT_EQ(spectrum.harmonicsDbc.size(), 2048u);
    EXPECT_EQ(spectrum.harmonicsDbc[0], 0.0);
    EXPECT_NEAR(spectrum.fundamentalCodes, 2047.0, 1.0);
    for (std::size_t k = 1; k < spectrum.harmonicsDbc.size(); ++k) {
        ASSERT_LT(spectrum.harmonicsDbc[k], -80.0) << "harmonic " << k + 1;
    }
    EXPECT_LT(spectrum.thdPercent, 0.05);
    // 10 log10(1 / (3 × 4096 × 2047²))
    EXPECT_NEAR(spectrum.quantisationFloorDbc, -107.1, 0.1);
}

struct Series {
    const char* name;
    int waveType;
    float duty;
    std::vector<double> harmonicsDbc;  // k = 1, 2, 3, 4, 5
    double thdPercent;
    double thdTolerance;
};

class WaveSpectrumSeriesTest : public ::testing::TestWithParam<Series> {};

TEST_P(WaveSpectrumSeriesTest, FollowsTheWavesFourierSeries) {
    const Series& s = GetParam();
    WaveParams params = FullScale(s.waveType);
    params.squareDuty = s.duty;
    params.rampDuty = s.duty;
    WaveSpectrum spectrum = SpectrumOf(params);
    for (std::size_t k = 0; k < s.harmonicsDbc.size(); ++k) {
        if (s.harmonicsDbc[k] <= -80.0) {
            EXPECT_LT(spectrum.harmonicsDbc[k], -80.0) << "harmonic " << k + 1;
        } else {
            EXPECT_NEAR(spectrum.harmonicsDbc[k], s.harmonicsDbc[k], 0.1) << "harmonic " << k + 1;
        }
    }
    EXPECT_NEAR(spectrum.thdPercent, s.thdPercent, s.thdTolerance);
}

// Square: odd harmonics at 1/k (THD 48.3 %); triangle: odd at 1/k² (THD 12.1 %); sawtooth: every
// harmonic at 1/k (THD 80.3 %).
INSTANTIATE_TEST_SUITE_P(
    Waves, WaveSpectrumSeriesTest,
    ::testing::Values(
        Series{"Square", Square, 0.5f, {0.0, -200.0, -9.54, -200.0, -13.98}, 48.3, 1.0},
        Series{"Triangle", Ramp, 0.5f, {0.0, -200.0, -19.08, -200.0, -27.96}, 12.1, 0.2},
        Series{"Sawtooth", Ramp, 1.0f, {0.0, -6.02, -9.54, -12.04, -13.98}, 80.3, 1.5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveSpectrumTest, SeveralPeriodsInTheBufferPutTheHarmonicsOnTheirLines) {
    WaveSpectrum one = SpectrumOf(FullScale(Square, 1024, 1));
    WaveSpectrum four = SpectrumOf(FullScale(Square, 4096, 4));
    ASSERT_EQ(four.harmonicsDbc.size(), 512u);
    ASSERT_EQ(one.harmonicsDbc.size(), 512u);
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_NEAR(four.harmonicsDbc[k], one.harmonicsDbc[k], 0.01) << "harmonic " << k + 1;
    }
}

class WaveSpectrumTypeTest : public ::testing::TestWithParam<int> {};

TEST_P(WaveSpectrumTypeTest, EveryWaveTypeHasASpectrum) {
    WaveParams params = FullScale(GetParam(), 1000, 1);
    params.amplitude = 2.0f;
    params.arbPointCount = 4;
    params.arbPoints[0] = 2.0f;
    params.arbPoints[1] = 1.0f;
    params.arbPoints[2] = -2.0f;
    WaveSpectrum spectrum = SpectrumOf(params);
    ASSERT_EQ(spectrum.harmonicsDbc.size(), 500u);
    EXPECT_EQ(spectrum.harmonicsDbc[0], 0.0);
    EXPECT_GT(spectrum.fundamentalCodes, 0.0);
    EXPECT_TRUE(std::isfinite(spectrum.thdPercent));
    EXPECT_TRUE(std::isfinite(spectrum.quantisationFloorDbc));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, WaveSpectrumTypeTest, ::testing::Range(0, kWaveTypeCount),
                         [](const auto& info) { return "Type" + std::to_string(info.param); });

TEST(WaveSpectrumTest, WithoutAFundamentalOrPointsThereIsNoSpectrum) {
    SpectrumAnalyser analyser;
    WaveSpectrum spectrum;
    spectrum.thdPercent = 7.0;
    WaveParams off = FullScale(Sine);
    off.outputOn = 0;
    EXPECT_EQ(SpectrumOfWave(off, analyser, spectrum), "no fundamental: the wave is constant");
    std::vector<std::uint16_t> one(1, 100);
    EXPECT_EQ(analyser.Analyse(one, 1, spectrum), "too few points for a spectrum: 1 for 1 period");
    std::vector<std::uint16_t> six(6, 100);
    EXPECT_EQ(analyser.Analyse(six, 4, spectrum), "too few points for a spectrum: 6 for 4 periods");
    EXPECT_EQ(spectrum.thdPercent, 7.0) << "a refused buffer leaves the last spectrum";
}

TEST(WaveSpectrumTest, OneAnalyserFollowsChangingBufferSizes) {
    SpectrumAnalyser analyser;
    WaveSpectrum first, between, again;
    ASSERT_EQ(SpectrumOfWave(FullScale(Square, 4096), analyser, first), "");
    ASSERT_EQ(SpectrumOfWave(FullScale(Ramp, 1000), analyser, between), "");
    ASSERT_EQ(SpectrumOfWave(FullScale(Square, 4096), analyser, again), "");
    EXPECT_EQ(between.harmonicsDbc.size(), 500u);
    EXPECT_EQ(again.harmonicsDbc, first.harmonicsDbc);
    EXPECT_EQ(again.thdPercent, first.thdPercent);
}

}  // namespace
}  // namespace korvane
