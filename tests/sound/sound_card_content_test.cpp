// What the sound card really plays, read back from ALSA's file plugin.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "engine/channel_rules.h"
#include "file_sound_card.h"
#include "tone_analysis.h"

namespace korvane::test {
namespace {

constexpr double kRate = FileSoundCard::kRate;
constexpr std::uint64_t kSecond = FileSoundCard::kRate;  // one second: 1 Hz bins

double LargestStep(const std::vector<float>& samples) {
    double largest = 0.0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        largest = std::max(largest, std::fabs(static_cast<double>(samples[i]) - samples[i - 1]));
    }
    return largest;
}

// ---- level: amplitude, attenuator and offset ---------------------------------------------
struct LevelCase {
    const char* name;
    float amplitudeVolts;
    int attenuate;
    double offsetVolts;
    double expectedPeak;  // full scale 1.0 = 3.5 V
    double expectedMean;
};

class SoundCardLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(SoundCardLevel, SinePlaysAtTheSetLevel) {
    const LevelCase& c = GetParam();
    FileSoundCard card;
    ChannelState& left = card.Left();
    left.SetAmplitude(c.amplitudeVolts);
    left.SetAttenuate20dB(c.attenuate);
    left.SetOffset(c.offsetVolts);
    left.SetFrequency(1000.0);
    const Spectrum spectrum(card.Record(card.Settle(), kSecond, 0), kRate);
    ASSERT_EQ(spectrum.Peak(), spectrum.BinOf(1000.0));
    EXPECT_NEAR(spectrum.Amplitude(spectrum.Peak()), c.expectedPeak, 1e-5);
    EXPECT_NEAR(spectrum.Amplitude(0), c.expectedMean, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SoundCardLevel,
    ::testing::Values(LevelCase{"two_volts", 2.0f, 0, 0.0, 2.0 / 3.5, 0.0},
                      LevelCase{"full_scale", 3.5f, 0, 0.0, 1.0, 0.0},
                      LevelCase{"attenuated", 2.0f, 1, 0.0, 0.2 / 3.5, 0.0},
                      LevelCase{"offset_one_volt", 1.0f, 0, 1.0, 1.0 / 3.5, 1.0 / 3.5},
                      LevelCase{"negative_offset", 1.0f, 0, -0.5, 1.0 / 3.5, -0.5 / 3.5}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- frequency -------------------------------------------------------------------------------
class SoundCardFrequency : public ::testing::TestWithParam<double> {};

TEST_P(SoundCardFrequency, PeakAtTheSetFrequencyAndMeasured) {
    const double hz = GetParam();
    FileSoundCard card;
    card.Left().SetFrequency(hz);
    const std::uint64_t from = card.Settle();
    double measured = 0.0;
    card.Library().DDSGetMeasure(0, 0, &measured);
    EXPECT_NEAR(measured, hz, hz * 1e-12);
    const Spectrum spectrum(card.Record(from, kSecond, 0), kRate);
    EXPECT_EQ(spectrum.Peak(), spectrum.BinOf(hz));
    EXPECT_LT(spectrum.ThdPlusNoiseDb(spectrum.Peak()), -100.0);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, SoundCardFrequency,
                         ::testing::Values(20.0, 440.0, 1000.0, 12345.0, 23999.0),
                         [](const auto& info) {
                             return "hz_" + std::to_string(static_cast<int>(info.param));
                         });

TEST(SoundCard, SineOneKilohertzThdPlusNoiseBelowMinus100Db) {
    FileSoundCard card;
    card.Left().SetFrequency(1000.0);
    const Spectrum spectrum(card.Record(card.Settle(), kSecond, 0), kRate);
    const double thdn = spectrum.ThdPlusNoiseDb(spectrum.BinOf(1000.0));
    RecordProperty("thd_plus_noise_db", std::to_string(thdn));
    std::printf("THD+N of a 1 kHz sine, 2 V: %.1f dB\n", thdn);
    EXPECT_LE(thdn, -100.0);
}

TEST(SoundCard, SquareFiveKilohertzHasOnlyItsOwnHarmonics) {
    FileSoundCard card;
    ChangeWaveType(card.Left(), Square, ArbitraryTable::Keep);
    card.Left().SetFrequency(5000.0);
    const Spectrum spectrum(card.Record(card.Settle(), kSecond, 0), kRate);
    const int fundamental = spectrum.BinOf(5000.0);
    const double alias = spectrum.LargestNonHarmonicDbc(fundamental);
    std::printf("largest non-harmonic component of a 5 kHz square: %.1f dBc\n", alias);
    EXPECT_LE(alias, -100.0);
    // The third harmonic is there at a third of the fundamental; the fifth (25 kHz) is not
    // folded back to 23 kHz.
    EXPECT_NEAR(spectrum.Amplitude(3 * fundamental) / spectrum.Amplitude(fundamental), 1.0 / 3.0,
                1e-3);
}

// ---- changes ---------------------------------------------------------------------------------
TEST(SoundCard, FrequencyChangesKeepThePhase) {
    FileSoundCard card;
    ChannelState& left = card.Left();
    const std::uint64_t from = card.Settle();
    const double frequencies[] = {1234.5, 987.0, 3000.0, 1500.25, 2000.0, 777.7};
    for (double hz : frequencies) {
        left.SetFrequency(hz);
        card.Settle();
        const std::uint64_t written = card.Library().FramesWritten();
        Eventually([&] { return card.Library().FramesWritten() > written + 4096; });
    }
    const std::uint64_t count = card.Library().FramesWritten() - from;
    const std::vector<float> samples = card.Record(from, count, 0);
    ASSERT_EQ(samples.size(), count);
    // A sine of peak a at f never moves more than 2 pi f a / rate from one sample to the next;
    // a restarted phase would jump.
    const double highest = *std::max_element(std::begin(frequencies), std::end(frequencies));
    const double slope = 2.0 * std::numbers::pi * highest * (2.0 / 3.5) / kRate;
    EXPECT_LE(LargestStep(samples), slope * 1.001);
}

TEST(SoundCard, WaveOffSilencesTheOutput) {
    FileSoundCard card;
    card.Left().SetOutputOn(0);
    card.Left().RequestDownload();
    const std::uint64_t from = card.Settle();
    const std::vector<float> silent = card.Record(from, kSecond / 4, 0);
    ASSERT_EQ(silent.size(), kSecond / 4);
    EXPECT_TRUE(std::all_of(silent.begin(), silent.end(), [](float v) { return v == 0.0f; }));
}

TEST(SoundCard, RightPlaysOnWhileLeftIsOff) {
    FileSoundCard card;
    card.Right().SetFrequency(2000.0);
    card.Left().SetOutputOn(0);
    card.Left().RequestDownload();
    const Spectrum spectrum(card.Record(card.Settle(), kSecond, 1), kRate);
    EXPECT_EQ(spectrum.Peak(), spectrum.BinOf(2000.0));
    EXPECT_NEAR(spectrum.Amplitude(spectrum.Peak()), 2.0 / 3.5, 1e-5);
}

TEST(SoundCard, SynchronisedOutputsKeepTheSetPhase) {
    FileSoundCard card;
    // Started at different moments and frequencies, the outputs are out of step...
    card.Right().SetFrequency(1001.7);
    const std::uint64_t detour = card.Settle();
    ASSERT_TRUE(Eventually([&] { return card.Library().FramesWritten() > detour + 4096; }));
    card.Right().SetFrequency(1000.0);
    card.Right().phase = 0.25f;
    card.Right().RequestDownload();
    card.Settle();
    // ...until both restart at the same sample.
    ASSERT_TRUE(card.Library().SynchronizeOutputs(1));
    const std::uint64_t from = card.Settle();
    const Spectrum left(card.Record(from, kSecond, 0), kRate);
    const Spectrum right(card.Read(from, kSecond, 1), kRate);
    const int bin = left.BinOf(1000.0);
    // A quarter period later in time on the right: 90 degrees ahead.
    double difference = std::remainder(right.Phase(bin) - left.Phase(bin), 2.0 * std::numbers::pi);
    EXPECT_NEAR(difference, std::numbers::pi / 2.0, 1e-4);
}

}  // namespace
}  // namespace korvane::test
