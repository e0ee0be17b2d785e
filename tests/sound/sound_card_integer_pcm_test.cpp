// The sound card on a PCM that takes no float samples: the program falls back to 32-bit integers,
// read back from ALSA's file plugin behind its linear plugin.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "file_sound_card.h"
#include "tone_analysis.h"

namespace korvane::test {
namespace {

constexpr double kRate = FileSoundCard::kRate;
constexpr std::uint64_t kSecond = FileSoundCard::kRate;  // one second: 1 Hz bins

struct IntegerCase {
    const char* name;
    SampleFormat fileFormat;  // what the linear plugin hands the file
    double levelTolerance;    // of the 2 V peak, full scale 1.0
    double thdPlusNoiseBound;
};

class SoundCardIntegerPcm : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(SoundCardIntegerPcm, SineKeepsItsLevelAndPurityThrough32BitSamples) {
    const IntegerCase& c = GetParam();
    FileSoundCard card(c.fileFormat);
    // The linear plugin takes no float: the program plays 32-bit integers, which the plugin
    // narrows itself when the file holds 16 bits.
    EXPECT_EQ(card.ChosenFormat(), SampleFormat::Int32);
    card.Left().SetFrequency(1000.0);
    const Spectrum spectrum(card.Record(card.Settle(), kSecond, 0), kRate);
    const int bin = spectrum.BinOf(1000.0);
    ASSERT_EQ(spectrum.Peak(), bin);
    EXPECT_NEAR(spectrum.Amplitude(bin), 2.0 / 3.5, c.levelTolerance);
    const double thdn = spectrum.ThdPlusNoiseDb(bin);
    std::printf("THD+N of a 1 kHz sine, 2 V, %s file: %.1f dB\n", c.name, thdn);
    EXPECT_LE(thdn, c.thdPlusNoiseBound);
}

// 32-bit samples keep what float does; 16 bits hold a 2 V sine (-4.9 dB of full scale) about
// 93 dB above its quantisation.
INSTANTIATE_TEST_SUITE_P(FileFormats, SoundCardIntegerPcm,
                         ::testing::Values(IntegerCase{"s32", SampleFormat::Int32, 1e-5, -110.0},
                                           IntegerCase{"s16", SampleFormat::Int16, 1e-4, -88.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SoundCardFloatPcm, FloatIsChosenWhereThePcmTakesIt) {
    FileSoundCard card;
    EXPECT_EQ(card.ChosenFormat(), SampleFormat::Float);
}

}  // namespace
}  // namespace korvane::test
