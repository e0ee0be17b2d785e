#include "formats/settings_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "channel_fixture.h"
#include "formats/little_endian.h"
#include "i18n/language_table.h"
#include "scratch_folder.h"

namespace korvane {
namespace {

std::string AsText(const SettingsBytes& bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

template <typename T>
T FieldAt(const std::string& bytes, std::size_t offset) {
    return GetLittleEndian<T>(reinterpret_cast<const std::uint8_t*>(bytes.data()) + offset);
}

template <typename T>
void SetFieldAt(std::string& bytes, std::size_t offset, T value) {
    PutLittleEndian(reinterpret_cast<std::uint8_t*>(bytes.data()) + offset, value);
}

// A channel whose every stored field differs from its default.
void ChangeEveryStoredField(ChannelState& c) {
    c.frequency = 12345.5;
    c.amplitude = 1.25f;
    c.offset = -0.75;
    c.phase = 0.25f;
    c.outputOn = 0;
    c.measureOn = 0;
    c.attenuate20dB = 1;
    c.waveType = Trapezia;
    c.extTrigger = 1;
    c.triggerEdge = 1;
    c.powerOnOutput = 0;
    c.squareDuty = 0.3f;
    c.rampDuty = 0.7f;
    c.exponentRaise = 0;
    c.exponentTimeConstant = 0.02f;
    c.trapeziaRise = 0.1f;
    c.trapeziaHigh = 0.5f;
    c.trapeziaFall = 0.3f;
    c.amDepth = 0.8f;
    c.carrierFrequency = 22000;
    c.fmDeviation = 4500;
    c.fmMode = 1;
}

class SettingsFileTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    LanguageTable language;
};

TEST_F(SettingsFileTest, TheFileIs114BytesInTheFixedLayout) {
    ChannelFixture source;
    ChangeEveryStoredField(source.channel);
    ASSERT_TRUE(SaveSettings(source.channel, folder / "Default.set").ok);
    std::string bytes = folder.Read("Default.set");
    ASSERT_EQ(bytes.size(), 114u);
    EXPECT_EQ(bytes.substr(0, 14), std::string("Q\0V\0X\0-\0D\0S\0O\0", 14));
    EXPECT_EQ(FieldAt<double>(bytes, 14), 12345.5);
    EXPECT_EQ(FieldAt<float>(bytes, 22), 1.25f);
    EXPECT_EQ(FieldAt<double>(bytes, 26), -0.75);
    EXPECT_EQ(FieldAt<float>(bytes, 34), 0.25f);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 38), 0);  // outputOn
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 42), 0);  // measureOn
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 46), 0);  // outputOn again
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 50), 1);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 54), Trapezia);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 58), 1);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 62), 1);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 66), 0);
    EXPECT_EQ(FieldAt<float>(bytes, 70), 0.3f);
    EXPECT_EQ(FieldAt<float>(bytes, 74), 0.7f);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 78), 0);
    EXPECT_EQ(FieldAt<float>(bytes, 82), 0.02f);
    EXPECT_EQ(FieldAt<float>(bytes, 86), 0.1f);
    EXPECT_EQ(FieldAt<float>(bytes, 90), 0.5f);
    EXPECT_EQ(FieldAt<float>(bytes, 94), 0.3f);
    EXPECT_EQ(FieldAt<float>(bytes, 98), 0.8f);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 102), 22000);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 106), 4500);
    EXPECT_EQ(FieldAt<std::int32_t>(bytes, 110), 1);
}

TEST_F(SettingsFileTest, ARoundTripGivesTheSameBytes) {
    ChannelFixture source;
    ChangeEveryStoredField(source.channel);
    ASSERT_TRUE(SaveSettings(source.channel, folder / "first.set").ok);

    ChannelFixture target(true);
    FileResult loaded = LoadSettings(target.channel, folder / "first.set", language);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.message, "");
    ASSERT_TRUE(SaveSettings(target.channel, folder / "second.set").ok);
    EXPECT_EQ(folder.Read("first.set"), folder.Read("second.set"));
    EXPECT_EQ(target.channel.waveType.load(), Trapezia);
    EXPECT_EQ(target.channel.fmDeviation.load(), 4500);
}

TEST_F(SettingsFileTest, SavingLeavesNoTemporaryFileBehind) {
    ChannelFixture source;
    ASSERT_TRUE(SaveSettings(source.channel, folder / "Default.set").ok);
    ASSERT_TRUE(SaveSettings(source.channel, folder / "Default.set").ok);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        EXPECT_EQ(entry.path().filename(), "Default.set");
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(SettingsFileTest, LoadingQueuesTheSettersCommandsInFileOrder) {
    ChannelFixture source;
    ASSERT_TRUE(SaveSettings(source.channel, folder / "Default.set").ok);
    ChannelFixture real(true);
    real.DrainQueue();
    ASSERT_TRUE(LoadSettings(real.channel, folder / "Default.set", language).ok);
    // frequency: SetFrequency + Download; offset, phase, -20dB, wave type: one Download each;
    // trigger and edge: SetTrigger each.
    EXPECT_EQ(real.channel.QueuedCommands(), (std::vector<int>{2, 1, 1, 1, 1, 1, 4, 4}));
}

TEST_F(SettingsFileTest, ADemoChannelKeepsItsPowerOnOutputAndQueuesNoDeviceCommands) {
    ChannelFixture source;
    source.channel.powerOnOutput = 0;
    ASSERT_TRUE(SaveSettings(source.channel, folder / "Default.set").ok);
    ChannelFixture demo;
    demo.DrainQueue();
    ASSERT_TRUE(LoadSettings(demo.channel, folder / "Default.set", language).ok);
    EXPECT_EQ(demo.channel.powerOnOutput.load(), 1);
    EXPECT_EQ(demo.channel.QueuedCommands(), (std::vector<int>{1}));

    ChannelFixture real(true);
    ASSERT_TRUE(LoadSettings(real.channel, folder / "Default.set", language).ok);
    EXPECT_EQ(real.channel.powerOnOutput.load(), 0);
}

TEST_F(SettingsFileTest, TheSecondOutputCopyWins) {
    ChannelFixture source;
    std::string bytes = AsText(EncodeSettings(CaptureSettings(source.channel)));
    SetFieldAt<std::int32_t>(bytes, 38, 1);
    SetFieldAt<std::int32_t>(bytes, 46, 0);
    folder.Write("two.set", bytes);
    ChannelFixture target;
    ASSERT_TRUE(LoadSettings(target.channel, folder / "two.set", language).ok);
    EXPECT_EQ(target.channel.outputOn.load(), 0);
}

TEST_F(SettingsFileTest, TheExtensionIsTestedWithoutRegardToCase) {
    ChannelFixture source;
    source.channel.amplitude = 3.0f;
    ASSERT_TRUE(SaveSettings(source.channel, folder / "PANEL.SET").ok);
    ChannelFixture target;
    EXPECT_TRUE(LoadSettings(target.channel, folder / "PANEL.SET", language).ok);
    EXPECT_EQ(target.channel.amplitude.load(), 3.0f);
}

TEST_F(SettingsFileTest, AnotherExtensionIsRefusedWithAMessageAndNothingRead) {
    ChannelFixture source;
    source.channel.amplitude = 3.0f;
    ASSERT_TRUE(SaveSettings(source.channel, folder / "panel.txt").ok);
    ChannelFixture target;
    FileResult result = LoadSettings(target.channel, folder / "panel.txt", language);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(target.channel.amplitude.load(), 2.0f);
    EXPECT_FALSE(LoadSettings(target.channel, folder / "set", language).ok);
}

TEST_F(SettingsFileTest, AMissingFileIsRefusedSilently) {
    ChannelFixture target;
    FileResult result = LoadSettings(target.channel, folder / "none.set", language);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "");
}

struct Damage {
    const char* what;
    std::function<void(std::string&)> apply;
};

class DamagedSettingsTest : public SettingsFileTest,
                            public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedSettingsTest, IsRefusedSilentlyAndTheChannelKeepsItsValues) {
    ChannelFixture source;
    ChangeEveryStoredField(source.channel);
    std::string bytes = AsText(EncodeSettings(CaptureSettings(source.channel)));
    GetParam().apply(bytes);
    folder.Write("damaged.set", bytes);

    ChannelFixture target(true);
    target.DrainQueue();
    std::string before = AsText(EncodeSettings(CaptureSettings(target.channel)));
    FileResult result = LoadSettings(target.channel, folder / "damaged.set", language);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(AsText(EncodeSettings(CaptureSettings(target.channel))), before);
    EXPECT_TRUE(target.channel.QueuedCommands().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedSettingsTest,
    ::testing::Values(
        Damage{"short", [](std::string& b) { b.resize(113); }},
        Damage{"magic only", [](std::string& b) { b.resize(14); }},
        Damage{"empty", [](std::string& b) { b.clear(); }},
        Damage{"lower-case magic", [](std::string& b) { b[0] = 'q'; }},
        Damage{"NaN frequency",
               [](std::string& b) { SetFieldAt(b, 14, std::numeric_limits<double>::quiet_NaN()); }},
        Damage{"infinite amplitude",
               [](std::string& b) { SetFieldAt(b, 22, std::numeric_limits<float>::infinity()); }},
        Damage{"NaN duty",
               [](std::string& b) { SetFieldAt(b, 74, std::numeric_limits<float>::quiet_NaN()); }}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) {
                c = '_';
            }
        }
        return name;
    });

TEST_F(SettingsFileTest, ALongerFileIsReadAndTheRestIgnored) {
    ChannelFixture source;
    source.channel.offset = 1.5;
    folder.Write("long.set", AsText(EncodeSettings(CaptureSettings(source.channel))) + "tail");
    ChannelFixture target;
    EXPECT_TRUE(LoadSettings(target.channel, folder / "long.set", language).ok);
    EXPECT_EQ(target.channel.offset.load(), 1.5);
}

TEST_F(SettingsFileTest, ValuesAreLimitedToThePanelsRanges) {
    SettingsRecord wild;
    wild.frequency = 1e30;
    wild.waveType = 99;
    wild.amplitude = 10.0f;
    wild.offset = -100.0;
    wild.phase = -0.5f;
    wild.squareDuty = 2.0f;
    wild.rampDuty = -1.0f;
    wild.trapeziaRise = 5.0f;
    wild.trapeziaHigh = -5.0f;
    wild.trapeziaFall = 1.5f;
    wild.amDepth = 3.0f;
    wild.exponentTimeConstant = -1.0f;
    wild.carrierFrequency = 99999999;
    wild.fmDeviation = -5;
    wild.outputOn = 7;
    wild.outputOnAgain = 7;
    wild.fmMode = -2;
    std::string bytes = AsText(EncodeSettings(wild));
    folder.Write("wild.set", bytes);

    ChannelFixture target;
    ASSERT_TRUE(LoadSettings(target.channel, folder / "wild.set", language).ok);
    const ChannelState& c = target.channel;
    EXPECT_EQ(c.waveType.load(), WhiteNoise);
    EXPECT_EQ(c.frequency.load(), 25e6);
    EXPECT_EQ(c.amplitude.load(), 3.5f);
    EXPECT_EQ(c.offset.load(), -7.0);
    EXPECT_EQ(c.phase.load(), 0.0f);
    EXPECT_EQ(c.squareDuty.load(), 1.0f);
    EXPECT_EQ(c.rampDuty.load(), 0.0f);
    EXPECT_EQ(c.trapeziaRise.load(), 1.0f);
    EXPECT_EQ(c.trapeziaHigh.load(), 0.0f);
    EXPECT_EQ(c.trapeziaFall.load(), 0.0f);  // rise takes the whole period
    EXPECT_EQ(c.amDepth.load(), 1.0f);
    EXPECT_EQ(c.exponentTimeConstant.load(), 0.0f);
    EXPECT_EQ(c.carrierFrequency.load(), 75000000);
    EXPECT_EQ(c.fmDeviation.load(), 0);
    EXPECT_EQ(c.outputOn.load(), 1);
    EXPECT_EQ(c.fmMode.load(), 1);
}

TEST_F(SettingsFileTest, ASineKeepsItsHigherFrequencyLimit) {
    SettingsRecord record;
    record.frequency = 60e6;
    folder.Write("sine.set", AsText(EncodeSettings(record)));
    ChannelFixture target;
    ASSERT_TRUE(LoadSettings(target.channel, folder / "sine.set", language).ok);
    EXPECT_EQ(target.channel.frequency.load(), 60e6);
    record.frequency = 0.25;
    folder.Write("slow.set", AsText(EncodeSettings(record)));
    ASSERT_TRUE(LoadSettings(target.channel, folder / "slow.set", language).ok);
    EXPECT_EQ(target.channel.frequency.load(), 1.0);
}

TEST_F(SettingsFileTest, AFileThatCannotBeCreatedGivesTheSystemsReason) {
    ChannelFixture source;
    FileResult result = SaveSettings(source.channel, folder / "no-such-folder" / "Default.set");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Cann't save file: No such file or directory");
}

TEST_F(SettingsFileTest, AFailedSaveKeepsTheOldFile) {
    ChannelFixture source;
    ASSERT_TRUE(SaveSettings(source.channel, folder / "Default.set").ok);
    std::string before = folder.Read("Default.set");
    // A folder where the file should be: the rename over it fails.
    std::filesystem::create_directory(folder / "Busy.set");
    EXPECT_FALSE(SaveSettings(source.channel, folder / "Busy.set").ok);
    EXPECT_EQ(folder.Read("Default.set"), before);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);  // Default.set and the folder; no temporary file left
}

}  // namespace
}  // namespace korvane
