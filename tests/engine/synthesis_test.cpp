#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/synthesis.h"
#include "synthesis_probe.h"

namespace korvane {
namespace {

using test::A;
using test::BufferSample;
using test::Codes;

TEST(DacCode, LimitsAndDirection) {
    struct Case {
        double value;
        std::uint16_t code;
    } cases[] = {{1.0, 1},     {1.0000001, 0},   {5.0, 0},         {0.0, 2048},
                 {-1.0, 4095}, {-1.5, 4095},     {0.5, 1024},      {-0.5, 3071},
                 {NAN, 2048},  {INFINITY, 2048}, {-INFINITY, 2048}};
    for (const Case& c : cases) {
        EXPECT_EQ(ToDacCode(c.value, 1), c.code) << "value " << c.value;
    }
}

TEST(DacCode, OutputOffGivesMidScaleForEveryWaveType) {
    for (int type = 0; type < kWaveTypeCount; ++type) {
        WaveParams p;
        p.waveType = type;
        p.outputOn = 0;
        p.arbPoints[3] = 3.0f;
        auto codes = Codes(p);
        EXPECT_TRUE(std::all_of(codes.begin(), codes.end(), [](auto c) { return c == 2048; }))
            << "wave type " << type;
    }
}

TEST(Synthesis, UnknownWaveTypesAreSilent) {
    for (int type : {9, 42, -1}) {
        WaveParams p;
        p.waveType = type;
        NoiseSource noise;
        EXPECT_EQ(Sample(p, 0.3, TimeBase::Buffer, noise), 0.0);
        EXPECT_EQ(PreviewSample(p, 0.3, noise), 0.0);
        auto codes = Codes(p);
        EXPECT_TRUE(std::all_of(codes.begin(), codes.end(), [](auto c) { return c == 2048; }));
    }
}

TEST(Synthesis, DefaultSineSpansTheDocumentedCodes) {
    WaveParams p;
    p.pointCount = 4082;
    auto codes = Codes(p);
    auto [low, high] = std::minmax_element(codes.begin(), codes.end());
    EXPECT_EQ(*low, 878);
    EXPECT_EQ(*high, 3217);

    p.attenuate20dB = 1;
    codes = Codes(p);
    auto [low20, high20] = std::minmax_element(codes.begin(), codes.end());
    EXPECT_EQ(*low20, 1931);
    EXPECT_EQ(*high20, 2164);
}

TEST(Synthesis, SineUsesItsOwnTwoPiConstant) {
    WaveParams p;
    p.periodCount = 1;
    double t = 0.25;
    EXPECT_DOUBLE_EQ(BufferSample(p, t), A * std::sin(t * 6.28318));
}

TEST(Synthesis, SegmentBoundariesBelongToTheLaterSegment) {
    WaveParams p;
    p.periodCount = 1;
    p.offset = 0.0;

    p.waveType = Square;
    p.squareDuty = 0.25f;
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.0), A);
    EXPECT_DOUBLE_EQ(BufferSample(p, static_cast<double>(0.25f)), -A);

    p.waveType = Ramp;
    p.rampDuty = 0.5f;
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.0), -A);
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.5), A);  // the falling formula, at +1
    EXPECT_NEAR(BufferSample(p, 0.75), 0.0, 1e-12);

    p.waveType = Trapezia;  // rise 0.2, high 0.4, fall 0.2, low for the rest
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.0), -A);
    EXPECT_NEAR(BufferSample(p, 0.1), 0.0, 1e-6);
    EXPECT_DOUBLE_EQ(BufferSample(p, static_cast<double>(0.2f)), A);
    EXPECT_NEAR(BufferSample(p, 0.7), 0.0, 1e-6);
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.85), -A);
}

TEST(Synthesis, ExponentRulesAndTimeBase) {
    WaveParams p;
    p.waveType = Exponent;
    p.periodCount = 1;
    p.offset = 1.75;  // 0.5 normalised
    p.exponentTimeConstant = 0.0f;
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.4), 0.5);  // the offset alone

    p.exponentTimeConstant = 1.0f;
    p.offset = 0.0;
    p.frequency = 0.5;  // below 1 Hz the time base uses 1 Hz
    EXPECT_NEAR(BufferSample(p, 0.5), A * std::exp(-0.5), 1e-9);
    p.exponentRaise = 0;
    EXPECT_NEAR(BufferSample(p, 0.5), A * (1 - std::exp(-0.5)), 1e-9);
}

// The DAC holds +/-3.5 V: a wave reaching past it is clipped, and the panel says so.
TEST(Synthesis, OutputClipsOnlyBeyondFullScale) {
    const struct {
        const char* name;
        int waveType;
        float amplitude;
        double offset;
        int attenuate20dB;
        float point;  // every point of the arbitrary table
        bool clips;
    } cases[] = {
        {"default sine", Sine, 2.0f, 0.0, 0, 0.0f, false},
        {"full scale", Square, 3.5f, 0.0, 0, 0.0f, false},
        {"offset plus amplitude", Sine, 2.0f, 2.0, 0, 0.0f, true},
        {"negative offset", Ramp, 1.0f, -3.0, 0, 0.0f, true},
        {"attenuated amplitude", Square, 3.5f, 3.0, 1, 0.0f, false},
        {"trapezia", Trapezia, 3.0f, 1.0, 0, 0.0f, true},
        {"noise has no offset", WhiteNoise, 3.5f, 7.0, 0, 0.0f, false},
        {"typed point", Arbitrary, 0.0f, 0.0, 0, 4.0f, true},
        {"point at full scale", Arbitrary, 0.0f, 0.0, 0, -3.5f, false},
    };
    for (const auto& c : cases) {
        WaveParams p;
        p.waveType = c.waveType;
        p.amplitude = c.amplitude;
        p.offset = c.offset;
        p.attenuate20dB = c.attenuate20dB;
        p.arbPointCount = 10;
        for (int j = 0; j < 10; ++j) {
            p.arbPoints[static_cast<std::size_t>(j)] = j == 7 ? c.point : 0.0f;
        }
        EXPECT_EQ(OutputClips(p), c.clips) << c.name;
    }
}

TEST(Synthesis, NoiseIgnoresOffsetAndPhaseAndStaysInRange) {
    for (int type : {GaussNoise, WhiteNoise}) {
        WaveParams p;
        p.waveType = type;
        p.offset = 7.0;
        p.phase = 0.5f;
        NoiseSource noise;
        double sum = 0;
        for (int i = 0; i < 4096; ++i) {
            double v = Sample(p, i / 4096.0, TimeBase::Buffer, noise);
            EXPECT_LE(std::abs(v), A + 1e-12);
            sum += v;
        }
        EXPECT_NEAR(sum / 4096, 0.0, 0.05) << "no offset for wave type " << type;
    }
}

TEST(Synthesis, NoiseRepeatsAfterEveryStart) {
    NoiseSource first, second;
    for (int i = 0; i < 100; ++i) {
        int value = first.Next();
        EXPECT_EQ(value, second.Next());
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 32767);
    }
}

TEST(Synthesis, AttenuationScalesAmplitudeNotOffset) {
    WaveParams p;
    p.waveType = Square;
    p.offset = 3.5;
    p.attenuate20dB = 1;
    EXPECT_NEAR(BufferSample(p, 0.0), 1.0 + A * 0.1, 1e-9);
}

TEST(Synthesis, PhaseShiftsByAFractionOfOnePeriod) {
    WaveParams p;
    p.periodCount = 4;
    p.phase = 0.5f;
    WaveParams unshifted = p;
    unshifted.phase = 0.0f;
    // Half a period is 0.5 / 4 of the buffer.
    EXPECT_NEAR(BufferSample(p, 0.1), BufferSample(unshifted, 0.1 + 0.125), 1e-12);
}

// The display drew the wave shifted by phase x Wave Number periods while the buffer shifts by
// the phase of one period: Sine at phase 0.25 started at the trough on screen and at the crest
// on the output.
TEST(Synthesis, DisplayAndBufferShiftByTheSamePartOfAPeriod) {
    struct Case {
        int waveType;
        float phase;
        std::int16_t waveNumber;
        int periodCount;
    };
    const Case cases[] = {
        {Sine, 0.25f, 3, 1},    {Sine, 0.25f, 1, 4},  {Sine, 0.5f, 2, 1},
        {Sine, 0.75f, 5, 2},    {Sine, 0.1f, 7, 3},   {Ramp, 0.3f, 3, 1},
        {Square, 0.25f, 3, 2},  {Square, 0.6f, 4, 1}, {Trapezia, 0.45f, 3, 1},
        {Exponent, 0.2f, 2, 1}, {AmFm, 0.25f, 3, 1},
    };
    for (const Case& c : cases) {
        WaveParams p;
        p.waveType = c.waveType;
        p.phase = c.phase;
        p.waveNumber = c.waveNumber;
        p.periodCount = c.periodCount;
        NoiseSource noise;
        // The same points of a period: the first displayed sample is the buffer's first value.
        for (const double partOfPeriod : {0.0, 0.1, 0.37, 0.8}) {
            const double shown = Sample(p, partOfPeriod / c.waveNumber, TimeBase::Display, noise);
            const double played = Sample(p, partOfPeriod / c.periodCount, TimeBase::Buffer, noise);
            EXPECT_NEAR(shown, played, 1e-9)
                << "type " << c.waveType << " phase " << c.phase << " wave number " << c.waveNumber
                << " periods " << c.periodCount << " at " << partOfPeriod;
        }
    }
    WaveParams sine;
    sine.phase = 0.25f;
    NoiseSource noise;
    EXPECT_NEAR(Sample(sine, 0.0, TimeBase::Display, noise) * 3.5, 2.0, 1e-4);  // the crest
}

TEST(Synthesis, AmFmFollowTheirFormulas) {
    WaveParams p;
    p.waveType = AmFm;
    p.periodCount = 1;
    double t = 0.3;
    double x = t * 6.2831852;
    double m = static_cast<double>(0.5f * 0.5f);
    EXPECT_NEAR(BufferSample(p, t), (std::sin(x) * m + (1 - m)) * std::sin(10000 * x / 1000.0) * A,
                1e-12);
    p.fmMode = 1;
    EXPECT_NEAR(BufferSample(p, t), std::sin(10000 * x / 1000.0 + std::sin(x) * 3000 / 1000.0) * A,
                1e-12);
}

TEST(Synthesis, DisplayTimeBaseSpansWaveNumberPeriods) {
    WaveParams p;
    p.waveType = Square;
    p.waveNumber = 3;
    NoiseSource noise;
    EXPECT_GT(Sample(p, 1.0 / 3 + 0.01, TimeBase::Display, noise), 0.0);
    EXPECT_LT(Sample(p, 1.0 / 3 - 0.01, TimeBase::Display, noise), 0.0);
}

TEST(Synthesis, ZeroCountsNeverDivideByZeroOrOverrun) {
    for (int type = 0; type < kWaveTypeCount; ++type) {
        WaveParams p;
        p.waveType = type;
        p.periodCount = 0;
        p.waveNumber = 0;
        p.arbPointCount = 0;
        NoiseSource noise;
        EXPECT_TRUE(std::isfinite(Sample(p, 0.5, TimeBase::Buffer, noise))) << type;
        EXPECT_TRUE(std::isfinite(Sample(p, 0.5, TimeBase::Display, noise))) << type;
    }
}

TEST(Preview, FixedShapes) {
    constexpr double K = 0.5714285714285714;
    WaveParams p;
    NoiseSource noise;
    struct Case {
        int type;
        double t;
        double expected;
    } cases[] = {
        {Sine, 0.125, std::sin(0.125 * 12.56636) * K},
        {Ramp, 0.0, -K},
        {Ramp, 0.25, K},
        {Square, 0.1, K},
        {Square, 0.3, -K},
        {Exponent, 0.5, K},
        {Trapezia, 0.2, K},
        {Trapezia, 0.45, -K},
        {Trapezia, 0.0, -K},
    };
    for (const Case& c : cases) {
        p.waveType = c.type;
        EXPECT_NEAR(PreviewSample(p, c.t, noise), c.expected, 1e-9)
            << "type " << c.type << " t " << c.t;
    }
}

TEST(ClockDivider, Examples) {
    EXPECT_EQ(ClockDivider(1000.0), 49);
    EXPECT_EQ(ClockDivider(100000.0), 1);
    EXPECT_EQ(ClockDivider(1.0), 48829);
    EXPECT_EQ(ClockDivider(0.0), 2147483647);
}

}  // namespace
}  // namespace korvane
