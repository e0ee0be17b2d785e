// Sound files through libsndfile: any sample format, a chosen channel, the full scale in volts,
// long sounds averaged while read, and errors that name the file.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <sys/stat.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "formats/wave_sound_import.h"
#include "scratch_folder.h"

namespace korvane {
namespace {

// Writes interleaved frames as a sound file of the given libsndfile format.
void WriteSound(const std::filesystem::path& path, int format, int channels, int rate,
                const std::vector<float>& interleaved) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* sound = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(sound, nullptr) << sf_strerror(nullptr);
    sf_count_t frames = static_cast<sf_count_t>(interleaved.size()) / channels;
    EXPECT_EQ(sf_writef_float(sound, interleaved.data(), frames), frames);
    sf_close(sound);
}

class WaveSoundImportTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    ImportedWave wave;
    ImportError error;
};

TEST_F(WaveSoundImportTest, SixteenBitPcmReadsInVoltsOfTheFullScale) {
    std::vector<float> sine(480);
    for (std::size_t k = 0; k < sine.size(); ++k) {
        sine[k] = 0.5f * static_cast<float>(std::sin(2.0 * std::numbers::pi * k / 480.0));
    }
    WriteSound(folder / "sine.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 48000, sine);
    ASSERT_TRUE(ImportWaveFile(folder / "sine.wav", {}, wave, error)) << error.Text();
    EXPECT_EQ(wave.detection.format, "WAV (Microsoft), Signed 16 bit PCM");
    EXPECT_EQ(wave.detection.columns, 1);
    EXPECT_EQ(wave.detection.valueColumn, 1);
    EXPECT_EQ(wave.detection.pointCount, 480);
    EXPECT_EQ(wave.detection.averagedBy, 1);
    EXPECT_EQ(wave.sampleRate, 48000.0);
    ASSERT_EQ(wave.values.size(), 480u);
    for (std::size_t k = 0; k < sine.size(); ++k) {
        EXPECT_NEAR(wave.values[k], 3.5 * sine[k], 3.5 / 32768.0) << "frame " << k;
    }
}

TEST_F(WaveSoundImportTest, FloatSamplesKeepTheirValueTimesTheChosenFullScale) {
    WriteSound(folder / "float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 8000,
               {1.0f, -1.0f, 0.25f});
    ASSERT_TRUE(ImportWaveFile(folder / "float.wav", {}, wave, error)) << error.Text();
    EXPECT_EQ(wave.detection.format, "WAV (Microsoft), 32 bit float");
    EXPECT_EQ(wave.values, (std::vector<double>{3.5, -3.5, 0.875}));
    ImportOptions twoVolts;
    twoVolts.fullScaleVolts = 2.0;
    ASSERT_TRUE(ImportWaveFile(folder / "float.wav", twoVolts, wave, error)) << error.Text();
    EXPECT_EQ(wave.values, (std::vector<double>{2.0, -2.0, 0.5}));
}

TEST_F(WaveSoundImportTest, AStereoFileGivesTheChosenChannel) {
    WriteSound(folder / "stereo.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 44100,
               {0.5f, -0.25f, 0.5f, -0.25f});
    ImportOptions right;
    right.column = 2;
    ASSERT_TRUE(ImportWaveFile(folder / "stereo.wav", right, wave, error)) << error.Text();
    EXPECT_EQ(wave.detection.columns, 2);
    EXPECT_EQ(wave.detection.valueColumn, 2);
    EXPECT_EQ(wave.values, (std::vector<double>{-0.875, -0.875}));
    ASSERT_TRUE(ImportWaveFile(folder / "stereo.wav", {}, wave, error)) << error.Text();
    EXPECT_EQ(wave.values, (std::vector<double>{1.75, 1.75}));

    ImportOptions third;
    third.column = 3;
    EXPECT_FALSE(ImportWaveFile(folder / "stereo.wav", third, wave, error));
    EXPECT_EQ(error.Text(), (folder / "stereo.wav").string() +
                                ": channel 3 requested, but the file has 2 channels");
}

TEST_F(WaveSoundImportTest, OtherFormatsLibsndfileReadsAreAccepted) {
    WriteSound(folder / "tone.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1, 96000,
               {0.0f, 0.5f, -0.5f});
    ASSERT_TRUE(ImportWaveFile(folder / "tone.flac", {}, wave, error)) << error.Text();
    EXPECT_EQ(wave.detection.format, "FLAC (Free Lossless Audio Codec), Signed 24 bit PCM");
    ASSERT_EQ(wave.values.size(), 3u);
    EXPECT_NEAR(wave.values[1], 1.75, 1e-5);
    EXPECT_NEAR(wave.values[2], -1.75, 1e-5);
}

// A long recording is averaged in blocks while read, so memory stays bounded.
TEST_F(WaveSoundImportTest, ALongSoundIsAveragedInBlocksOfFrames) {
    const std::size_t frames = 2 * static_cast<std::size_t>(kMaxSoundValues) + 1;
    std::vector<float> pulses(frames, 0.0f);
    for (std::size_t k = 0; k < frames; k += 3) {
        pulses[k] = 0.75f;
    }
    WriteSound(folder / "long.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 48000, pulses);
    ASSERT_TRUE(ImportWaveFile(folder / "long.wav", {}, wave, error)) << error.Text();
    EXPECT_EQ(wave.detection.averagedBy, 3);
    EXPECT_EQ(wave.detection.pointCount, static_cast<long long>(frames));
    EXPECT_EQ(wave.sampleRate, 16000.0);
    ASSERT_EQ(wave.values.size(), frames / 3);
    EXPECT_NEAR(wave.values.front(), 0.875, 1e-6);
    EXPECT_NEAR(wave.values.back(), 0.875, 1e-6);
}

TEST_F(WaveSoundImportTest, ANonFiniteSampleIsRefusedNamingTheFrame) {
    WriteSound(folder / "nan.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 8000,
               {0.0f, 0.5f, std::nanf("")});
    EXPECT_FALSE(ImportWaveFile(folder / "nan.wav", {}, wave, error));
    EXPECT_EQ(error.Text(), (folder / "nan.wav").string() +
                                ": expected a finite sample at frame 2 of channel 1, found NaN");
}

TEST_F(WaveSoundImportTest, ASoundWithoutSamplesIsRefused) {
    WriteSound(folder / "empty.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, {});
    EXPECT_FALSE(ImportWaveFile(folder / "empty.wav", {}, wave, error));
    EXPECT_EQ(error.Text(),
              (folder / "empty.wav").string() + ": expected sound samples, found none");
}

// A damaged WAV is reported as a sound libsndfile cannot read, not as text without numbers.
TEST_F(WaveSoundImportTest, ADamagedSoundIsNamedWithLibsndfilesReason) {
    folder.Write("broken.wav", "RIFF\x10\0\0\0WAVEjunk");
    EXPECT_FALSE(ImportWaveFile(folder / "broken.wav", {}, wave, error));
    EXPECT_EQ(error.Text(), (folder / "broken.wav").string() +
                                ": cannot read the sound: " + std::string(sf_strerror(nullptr)));
    EXPECT_NE(std::string(sf_strerror(nullptr)), "No Error.");

    ASSERT_EQ(mkfifo((folder / "pipe.wav").c_str(), 0600), 0);
    EXPECT_FALSE(ImportWaveFile(folder / "pipe.wav", {}, wave, error));
    EXPECT_EQ(error.Text(),
              (folder / "pipe.wav").string() + ": cannot read the file: not a regular file");
}

}  // namespace
}  // namespace korvane
