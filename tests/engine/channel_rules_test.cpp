#include "engine/channel_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/channel_state.h"
#include "formats/channel_fixture.h"
#include "support/param_name.h"

namespace korvane {
namespace {

using Queue = std::vector<int>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// ---- Limit over every range ----------------------------------------------------------------

struct LimitCase {
    const char* what;
    Range range;
    double value;
    double expected;
};

class LimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(LimitTest, KeepsAValueInRangeAndReplacesOneOutsideByTheLimit) {
    const LimitCase& c = GetParam();
    EXPECT_DOUBLE_EQ(Limit(c.value, c.range), c.expected) << c.value;
    EXPECT_EQ(OutsideRange(c.value, c.range), c.value != c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LimitTest,
    ::testing::Values(
        // frequency, by wave type
        LimitCase{"sine_in_range", FrequencyRange(Sine), 1234.5678, 1234.5678},
        LimitCase{"sine_30MHz", FrequencyRange(Sine), 30e6, 30e6},
        LimitCase{"square_30MHz", FrequencyRange(Square), 30e6, 25e6},
        LimitCase{"sine_80MHz", FrequencyRange(Sine), 80e6, 75e6},
        LimitCase{"ramp_80MHz", FrequencyRange(Ramp), 80e6, 25e6},
        LimitCase{"arbitrary_half_hertz", FrequencyRange(Arbitrary), 0.5, 1.0},
        LimitCase{"sine_at_low", FrequencyRange(Sine), 1.0, 1.0},
        LimitCase{"sine_at_high", FrequencyRange(Sine), 75e6, 75e6},
        LimitCase{"noise_at_high", FrequencyRange(WhiteNoise), 25e6, 25e6},
        LimitCase{"sine_1e9", FrequencyRange(Sine), 1e9, 75e6},
        LimitCase{"sine_nan", FrequencyRange(Sine), kNaN, 1.0},
        LimitCase{"sine_plus_inf", FrequencyRange(Sine), kInf, 75e6},
        LimitCase{"trapezia_plus_inf", FrequencyRange(Trapezia), kInf, 25e6},
        LimitCase{"sine_minus_inf", FrequencyRange(Sine), -kInf, 1.0},
        LimitCase{"sine_beyond_float", FrequencyRange(Sine), 1e300, 75e6},
        LimitCase{"sine_below_float", FrequencyRange(Sine), -1e300, 1.0},
        // compared in double precision: a value just beyond a limit, even one that rounds to it
        // in single precision, is limited
        LimitCase{"just_beyond_the_limit", FrequencyRange(Sine), 75000000.001, 75e6},
        LimitCase{"beyond_in_single_precision", FrequencyRange(Sine), 75000010.0, 75e6},
        // amplitude, offset
        LimitCase{"amplitude_below", kAmplitudeRange, -0.1, 0.0},
        LimitCase{"amplitude_above", kAmplitudeRange, 3.6, 3.5},
        LimitCase{"amplitude_in_range", kAmplitudeRange, 1.25, 1.25},
        LimitCase{"amplitude_at_high", kAmplitudeRange, 3.5, 3.5},
        LimitCase{"amplitude_nan", kAmplitudeRange, kNaN, 0.0},
        LimitCase{"amplitude_inf", kAmplitudeRange, kInf, 3.5},
        LimitCase{"offset_below", kOffsetRange, -7.5, -7.0},
        LimitCase{"offset_above", kOffsetRange, 9.0, 7.0},
        LimitCase{"offset_in_range", kOffsetRange, -3.0, -3.0},
        LimitCase{"offset_minus_inf", kOffsetRange, -kInf, -7.0},
        // phase, duties, depth
        LimitCase{"fraction_below", kFractionRange, -0.2, 0.0},
        LimitCase{"fraction_above", kFractionRange, 1.2, 1.0},
        LimitCase{"fraction_in_range", kFractionRange, 0.25, 0.25},
        LimitCase{"fraction_nan", kFractionRange, kNaN, 0.0},
        // exponent time constant
        LimitCase{"time_constant_in_range", kTimeConstantRange, 0.002, 0.002},
        LimitCase{"time_constant_above", kTimeConstantRange, 5.0, 1.0},
        LimitCase{"time_constant_below", kTimeConstantRange, -1.0, 0.0},
        // sweep
        LimitCase{"sweep_frequency_zero", kSweepFrequencyRange, 0.0, 1.0},
        LimitCase{"sweep_frequency_above", kSweepFrequencyRange, 2e6, 1e6},
        LimitCase{"sweep_speed_above_an_hour", kSweepSpeedRange, 3600001.0, 3600000.0},
        LimitCase{"sweep_speed_far_above", kSweepSpeedRange, 1e12, 3600000.0},
        LimitCase{"sweep_speed_in_range", kSweepSpeedRange, 250.0, 250.0},
        LimitCase{"sweep_speed_zero", kSweepSpeedRange, 0.0, 1.0},
        // the arbitrary table
        LimitCase{"point_count_zero", kPointCountRange, 0.0, 1.0},
        LimitCase{"point_count_above", kPointCountRange, 5000.0, 4096.0},
        LimitCase{"typed_point_above", kTypedPointRange, 12.0, 10.0}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(Limit, EveryWaveTypeHasItsMaximum) {
    for (int type = 0; type < kWaveTypeCount; ++type) {
        const double expected = type == Sine ? 75e6 : 25e6;
        EXPECT_EQ(MaxFrequency(type), expected) << type;
        EXPECT_EQ(Limit(1e12, FrequencyRange(type)), expected) << type;
        EXPECT_EQ(Limit(-1.0, FrequencyRange(type)), 1.0) << type;
    }
}

struct WholeCase {
    const char* what;
    double value;
    int low;
    int high;
    int expected;
};

class LimitWholeTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(LimitWholeTest, RoundsThenLimits) {
    const WholeCase& c = GetParam();
    EXPECT_EQ(LimitWhole(c.value, c.low, c.high), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LimitWholeTest,
    ::testing::Values(WholeCase{"carrier_in_range", 10000.4, 0, 75000000, 10000},
                      WholeCase{"carrier_rounds_up", 10000.5, 0, 75000000, 10001},
                      WholeCase{"carrier_above", 99999999.0, 0, 75000000, 75000000},
                      WholeCase{"deviation_below", -5.0, 0, 75000000, 0},
                      WholeCase{"nan", kNaN, 0, 75000000, 0},
                      WholeCase{"plus_inf", kInf, 0, 75000000, 75000000},
                      WholeCase{"wave_number_zero", 0.0, kMinWaveNumber, kMaxWaveNumber, 1},
                      WholeCase{"wave_number_above", 100.0, kMinWaveNumber, kMaxWaveNumber, 99},
                      WholeCase{"wave_number_at_high", 99.0, kMinWaveNumber, kMaxWaveNumber, 99}),
    [](const auto& info) { return std::string(info.param.what); });

// ---- trapezia -------------------------------------------------------------------------------

TEST(TrapeziaPartRange, IsWhatIsLeftOfThePeriodAndNeverNegative) {
    EXPECT_FLOAT_EQ(static_cast<float>(TrapeziaPartRange(0.4f, 0.2f).high), 0.4f);
    EXPECT_FLOAT_EQ(static_cast<float>(TrapeziaPartRange(0.0f, 0.0f).high), 1.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(TrapeziaPartRange(0.7f, 0.6f).high), 0.0f);
    EXPECT_EQ(TrapeziaPartRange(0.7f, 0.6f).low, 0.0);
}

TEST(LimitTrapezia, KeepsPartsThatFitAndCutsTheLastOnesToWhatIsLeft) {
    const TrapeziaParts kept = LimitTrapezia({0.2f, 0.4f, 0.2f});
    EXPECT_EQ(kept.rise, 0.2f);
    EXPECT_EQ(kept.high, 0.4f);
    EXPECT_EQ(kept.fall, 0.2f);
    const TrapeziaParts cut = LimitTrapezia({0.5f, 0.5f, 0.5f});
    EXPECT_EQ(cut.rise, 0.5f);
    EXPECT_EQ(cut.high, 0.5f);
    EXPECT_EQ(cut.fall, 0.0f);
    const TrapeziaParts wild = LimitTrapezia({5.0f, -5.0f, 1.5f});
    EXPECT_EQ(wild.rise, 1.0f);
    EXPECT_EQ(wild.high, 0.0f);
    EXPECT_EQ(wild.fall, 0.0f);
}

TEST(ShapeRange, ATrapeziaPartTakesWhatTheOtherTwoLeave) {
    ChannelFixture f;
    f.channel.trapeziaRise = 0.2f;
    f.channel.trapeziaHigh = 0.4f;
    f.channel.trapeziaFall = 0.2f;
    StoreShape(f.channel, ShapeValue::TrapeziaFall, 0.9);
    EXPECT_FLOAT_EQ(f.channel.trapeziaFall, 0.4f);
    StoreShape(f.channel, ShapeValue::TrapeziaRise, 0.9);
    EXPECT_FLOAT_EQ(f.channel.trapeziaRise, 0.2f);
}

// ---- shape setters ------------------------------------------------------------------------

struct ShapeCase {
    const char* what;
    ShapeValue which;
    double value;
    double expected;
};

class ShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, StoresTheLimitedValueAndSetShapeQueuesOneDownload) {
    const ShapeCase& c = GetParam();
    ChannelFixture f(true);
    f.DrainQueue();
    StoreShape(f.channel, c.which, c.value);
    EXPECT_DOUBLE_EQ(ReadShape(f.channel, c.which), c.expected);
    EXPECT_EQ(f.channel.QueuedCommands(), Queue{});
    SetShape(f.channel, c.which, c.value);
    EXPECT_DOUBLE_EQ(ReadShape(f.channel, c.which), c.expected);
    EXPECT_EQ(f.channel.QueuedCommands(), Queue{Download});
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShapeTest,
    ::testing::Values(ShapeCase{"phase", ShapeValue::Phase, 0.25, 0.25},
                      ShapeCase{"square_nan", ShapeValue::SquareDuty, kNaN, 0.0},
                      ShapeCase{"ramp_inf", ShapeValue::RampDuty, kInf, 1.0},
                      ShapeCase{"depth_above", ShapeValue::AmDepth, 1.5, 1.0},
                      ShapeCase{"time_constant", ShapeValue::ExponentTimeConstant, 0.5,
                                static_cast<double>(0.5f)},
                      ShapeCase{"carrier_above", ShapeValue::Carrier, 99999999.0, 75e6},
                      ShapeCase{"carrier_in_range", ShapeValue::Carrier, 12345.0, 12345.0},
                      ShapeCase{"deviation_below", ShapeValue::Deviation, -5.0, 0.0}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(DigitalOut, KeepsOnlyTheTwelveOutputPins) {
    ChannelFixture f;
    StoreDigitalOut(f.channel, 0xFFFF);
    EXPECT_EQ(f.channel.digitalOut, 0x0FFF);
    StoreDigitalOut(f.channel, 0x0A5A);
    EXPECT_EQ(f.channel.digitalOut, 0x0A5A);
    EXPECT_EQ(kDigitalInMask, 0x3F);
}

// ---- the channel's setters ------------------------------------------------------------------

TEST(ChannelSetters, AFrequencyBeyondTheMaximumIsStoredAsTheMaximumWithTheSameCommands) {
    ChannelFixture inRange(true);
    inRange.DrainQueue();
    inRange.channel.SetFrequency(5e6);
    ChannelFixture beyond(true);
    beyond.DrainQueue();
    beyond.channel.SetFrequency(1e9);
    EXPECT_EQ(beyond.channel.frequency, 75e6);
    EXPECT_EQ(beyond.channel.QueuedCommands(), inRange.channel.QueuedCommands());
    EXPECT_EQ(beyond.channel.QueuedCommands(), (Queue{SetFrequency, Download}));
    beyond.channel.waveType = Square;
    beyond.channel.SetFrequency(1e9);
    EXPECT_EQ(beyond.channel.frequency, 25e6);
}

TEST(ChannelSetters, NotANumberAndInfinitiesAreLimitedOnce) {
    ChannelFixture f;
    f.channel.SetFrequency(kNaN);
    EXPECT_EQ(f.channel.frequency, 1.0);
    f.channel.SetOffset(kInf);
    EXPECT_EQ(f.channel.offset, 7.0);
    f.channel.SetAmplitude(-std::numeric_limits<float>::infinity());
    EXPECT_EQ(f.channel.amplitude, 0.0f);
    f.channel.SetAmplitude(1.75f);
    EXPECT_EQ(f.channel.amplitude, 1.75f);
}

// ---- sample rates -------------------------------------------------------------------------

TEST(SampleRate, TheClockRateIsTheMasterClockOverTheDivider) {
    EXPECT_EQ(ClockSampleRate(1000.0), static_cast<float>(200000000 / ClockDivider(1000.0)));
    EXPECT_EQ(ClockSampleRate(75e6), 200e6f);
    EXPECT_EQ(TableSampleRate(100, 1000.0), 100000.0f);
}

struct RateCase {
    const char* what;
    double rate;
    int count;
    double expected;
};

class FrequencyFromRateTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(FrequencyFromRateTest, IsLimitedLikeATypedArbitraryFrequency) {
    EXPECT_EQ(FrequencyFromSampleRate(GetParam().rate, GetParam().count), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrequencyFromRateTest,
    ::testing::Values(RateCase{"in_range", 100000.0, 100, 1000.0}, RateCase{"zero", 0.0, 100, 1.0},
                      RateCase{"negative", -5000.0, 100, 1.0}, RateCase{"nan", kNaN, 100, 1.0},
                      RateCase{"too_fast", 1e12, 10, 25e6}, RateCase{"infinite", kInf, 10, 25e6},
                      RateCase{"no_points", 500.0, 0, 500.0}),
    [](const auto& info) { return std::string(info.param.what); });

// ---- wave type changes -------------------------------------------------------------------

TEST(ChangeWaveType, TheFrequencyComesDownToTheNewTypesMaximum) {
    ChannelFixture f(true);
    f.channel.SetFrequency(50e6);
    f.DrainQueue();
    ChangeWaveType(f.channel, Square, ArbitraryTable::FromCurrentWave);
    EXPECT_EQ(f.channel.waveType, Square);
    EXPECT_EQ(f.channel.frequency, 25e6);
    EXPECT_EQ(f.channel.QueuedCommands(), (Queue{Download, SetFrequency, Download}));
}

TEST(ChangeWaveType, ATypeOutsideTheListChangesNothing) {
    ChannelFixture f(true);
    f.DrainQueue();
    ChangeWaveType(f.channel, 99, ArbitraryTable::FromCurrentWave);
    ChangeWaveType(f.channel, -1, ArbitraryTable::FromCurrentWave);
    EXPECT_EQ(f.channel.waveType, Sine);
    EXPECT_EQ(f.channel.QueuedCommands(), Queue{});
}

TEST(ChangeWaveType, ArbitraryFromAnotherTypePlaysTheCurrentWaveAtPhaseZero) {
    ChannelFixture f;
    f.channel.phase = 0.25f;
    f.channel.arbPointCount = 7;
    ChangeWaveType(f.channel, Arbitrary, ArbitraryTable::FromCurrentWave);
    EXPECT_EQ(f.channel.waveType, Arbitrary);
    EXPECT_EQ(f.channel.phase, 0.0f);
    EXPECT_EQ(f.channel.arbPointCount, 1000);
    // The table was sampled before the phase was cleared: a quarter period on, the sine's peak.
    EXPECT_NEAR(f.channel.arbPoints[0], 2.0f, 1e-3f);
}

TEST(ChangeWaveType, ArbitraryWithATableInPlaceKeepsIt) {
    ChannelFixture f;
    f.channel.arbPointCount = 2;
    f.channel.arbPoints[0] = 1.5f;
    f.channel.arbPoints[1] = -1.5f;
    ChangeWaveType(f.channel, Arbitrary, ArbitraryTable::Keep);
    EXPECT_EQ(f.channel.waveType, Arbitrary);
    EXPECT_EQ(f.channel.arbPointCount, 2);
    EXPECT_EQ(f.channel.arbPoints[0], 1.5f);
}

TEST(ChangeWaveType, TheSameTypeAgainOnlyRebuildsTheWave) {
    ChannelFixture f(true);
    f.channel.phase = 0.5f;
    f.DrainQueue();
    ChangeWaveType(f.channel, Sine, ArbitraryTable::FromCurrentWave);
    EXPECT_EQ(f.channel.phase, 0.5f);
    EXPECT_EQ(f.channel.QueuedCommands(), Queue{Download});
}

}  // namespace
}  // namespace korvane
