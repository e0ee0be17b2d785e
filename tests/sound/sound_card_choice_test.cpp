// Choosing the sound card through the environment, alone or after a driver's devices.
#include <gtest/gtest.h>

#include <alsa/asoundlib.h>
#include <stdlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "card_output_identity.h"
#include "engine/device_library/library_factory.h"
#include "support/temp_folder.h"

namespace korvane::test {
namespace {

// A HOME whose default PCM writes to a file, and a clean environment around each test.
class SoundCardChoice : public ::testing::Test {
  protected:
    void SetUp() override {
        home_.Write(".asoundrc", "pcm.!default {\n type file\n slave.pcm \"null\"\n file \"" +
                                     (home_.path() / "card.raw").string() +
                                     "\"\n format \"raw\"\n}\n");
        setenv("HOME", home_.path().c_str(), 1);
        snd_config_update_free_global();
        for (const char* name : kVariables) {
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const char* name : kVariables) {
            unsetenv(name);
        }
    }

    static constexpr const char* kVariables[] = {"KVDDS_AUDIO",         "KVDDS_AUDIO_RATE",
                                                 "KVDDS_AUDIO_LATENCY", "KVDDS_LIBRARY",
                                                 "KVDDS_TRACE",         "KVDDS_SIMULATED_DEVICES"};
    testing::TempFolder home_;
};

TEST_F(SoundCardChoice, AudioTakesThePlaceOfTheSimulator) {
    setenv("KVDDS_AUDIO", "default", 1);
    std::unique_ptr<DeviceLibrary> library = CreateDeviceLibraryFromEnvironment();
    ASSERT_EQ(library->DDSSearch(), 2);
    EXPECT_EQ(library->DDSCheck(0), 1);
    EXPECT_EQ(library->DDSCheck(1), 1);
    EXPECT_EQ(library->Identify(0), CardOutput(DeviceIdentity::Side::kLeft, "default"));
    EXPECT_EQ(library->Identify(1), CardOutput(DeviceIdentity::Side::kRight, "default"));
    EXPECT_TRUE(library->AcceptsVolts(0));
    EXPECT_EQ(library->MaxFrequency(0), 23999.0);
    EXPECT_EQ(library->MaxFrequency(-1), kGeneratorMaxFrequency);  // a demo channel
}

TEST_F(SoundCardChoice, OverridesNameWhatTheEnvironmentSetsOnlyWithAudio) {
    EXPECT_EQ(AudioEnvironmentOverrides(), std::vector<std::string>());
    setenv("KVDDS_AUDIO_RATE", "96000", 1);
    setenv("KVDDS_AUDIO_LATENCY", "80", 1);
    EXPECT_EQ(AudioEnvironmentOverrides(), std::vector<std::string>());  // they alone do nothing
    setenv("KVDDS_AUDIO", "", 1);
    EXPECT_EQ(AudioEnvironmentOverrides(), std::vector<std::string>());
    setenv("KVDDS_AUDIO", "hw:1,0", 1);
    EXPECT_EQ(AudioEnvironmentOverrides(),
              (std::vector<std::string>{"KVDDS_AUDIO=hw:1,0", "KVDDS_AUDIO_RATE=96000",
                                        "KVDDS_AUDIO_LATENCY=80"}));
    unsetenv("KVDDS_AUDIO_RATE");
    EXPECT_EQ(AudioEnvironmentOverrides(),
              (std::vector<std::string>{"KVDDS_AUDIO=hw:1,0", "KVDDS_AUDIO_LATENCY=80"}));
}

TEST_F(SoundCardChoice, RateComesFromTheEnvironment) {
    setenv("KVDDS_AUDIO", "default", 1);
    setenv("KVDDS_AUDIO_RATE", "44100", 1);
    EXPECT_EQ(CreateDeviceLibraryFromEnvironment()->MaxFrequency(1), 22049.0);
    setenv("KVDDS_AUDIO_RATE", "fast", 1);  // not a number: the default rate
    EXPECT_EQ(CreateDeviceLibraryFromEnvironment()->MaxFrequency(1), 23999.0);
}

TEST_F(SoundCardChoice, AudioComesAfterTheDriversDevices) {
    setenv("KVDDS_AUDIO", "default", 1);
    setenv("KVDDS_LIBRARY", KORVANE_FAKE_DRIVER, 1);
    std::unique_ptr<DeviceLibrary> library = CreateDeviceLibraryFromEnvironment();
    ASSERT_EQ(library->DDSSearch(), 4);
    // The driver's two (its second is missing), then left and right.
    EXPECT_EQ(library->DDSCheck(0), 1);
    EXPECT_EQ(library->DDSCheck(1), 0);
    EXPECT_EQ(library->DDSCheck(2), 1);
    EXPECT_EQ(library->DDSCheck(3), 1);
    EXPECT_EQ(library->DDSCheck(4), 0);
    EXPECT_EQ(library->DDSCheck(-1), 0);
    EXPECT_EQ(library->Identify(0), DeviceIdentity());
    EXPECT_EQ(library->Identify(2), CardOutput(DeviceIdentity::Side::kLeft, "default"));
    EXPECT_EQ(library->Identify(3), CardOutput(DeviceIdentity::Side::kRight, "default"));
    EXPECT_FALSE(library->AcceptsVolts(1));
    EXPECT_TRUE(library->AcceptsVolts(3));
    EXPECT_EQ(library->MaxFrequency(0), kGeneratorMaxFrequency);
    EXPECT_EQ(library->MaxFrequency(2), 23999.0);
    EXPECT_TRUE(library->HasTriggerAndDigitalIo(0));
    EXPECT_FALSE(library->HasTriggerAndDigitalIo(2));
    int points = 0;
    int periods = 0;
    library->DDSSetFrequency(0, 1000.0, &points, &periods);
    EXPECT_EQ(points, 1234);  // the driver's answer
    library->DDSSetFrequency(2, 1000.0, &points, &periods);
    EXPECT_EQ(points, 4096);  // the sound card's
}

TEST_F(SoundCardChoice, TraceWrapsTheSoundCard) {
    setenv("KVDDS_AUDIO", "default", 1);
    const std::string trace = (home_.path() / "trace.txt").string();
    setenv("KVDDS_TRACE", trace.c_str(), 1);
    {
        std::unique_ptr<DeviceLibrary> library = CreateDeviceLibraryFromEnvironment();
        ASSERT_EQ(library->DDSSearch(), 2);
        const double volts[] = {1.0, -1.0};
        EXPECT_TRUE(library->DDSDownloadVolts(1, volts, 2));
        EXPECT_TRUE(library->SynchronizeOutputs(0));
        EXPECT_EQ(library->Identify(1), CardOutput(DeviceIdentity::Side::kRight, "default"));
    }
    const std::string text = testing::ReadBytes(trace);
    EXPECT_NE(text.find("DDSDownloadVolts(1, 2) first=1.000000 -> 1"), std::string::npos) << text;
    EXPECT_NE(text.find("SynchronizeOutputs(0) -> 1"), std::string::npos) << text;
}

}  // namespace
}  // namespace korvane::test
