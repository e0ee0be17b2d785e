// The panel a device window leaves for the next: the settings file every version reads, and an
// arbitrary panel's points beside it.
#include "formats/default_panel.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "channel_fixture.h"
#include "formats/settings_file.h"
#include "i18n/language_table.h"
#include "scratch_folder.h"

namespace korvane {
namespace {

class DefaultPanelTest : public ::testing::Test {
  protected:
    // An arbitrary panel of 300 points: a ramp from -3 V to +3 V.
    static void MakeArbitrary(ChannelState& channel) {
        channel.SetFrequency(2500.0);
        channel.SetWaveType(Arbitrary);
        channel.arbPointCount = 300;
        for (int i = 0; i < 300; ++i) {
            channel.arbPoints[static_cast<std::size_t>(i)] = -3.0f + 6.0f * float(i) / 299.0f;
        }
    }

    ScratchFolder folder;
    LanguageTable language;
};

// The fault: the settings file holds only the wave type, so an arbitrary panel came back as a
// sine with no points.
TEST_F(DefaultPanelTest, AnArbitraryPanelComesBackWithItsPoints) {
    ChannelFixture source(true);
    MakeArbitrary(source.channel);
    ASSERT_TRUE(SavePanel(source.channel, folder / "Default.set").ok);

    // The settings file keeps its 114 bytes, exactly as the settings writer makes them.
    ChannelFixture plain(true);
    MakeArbitrary(plain.channel);
    ASSERT_TRUE(SaveSettings(plain.channel, folder / "Plain.set").ok);
    EXPECT_EQ(folder.Read("Default.set").size(), kSettingsFileSize);
    EXPECT_EQ(folder.Read("Default.set"), folder.Read("Plain.set"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "Default.csv"));

    ChannelFixture next(true);
    const PanelLoad load = LoadPanel(next.channel, folder / "Default.set", language);
    ASSERT_TRUE(load.result.ok);
    EXPECT_TRUE(load.result.message.empty());
    EXPECT_TRUE(load.pointsRestored);
    EXPECT_EQ(next.channel.waveType, Arbitrary);
    EXPECT_DOUBLE_EQ(next.channel.frequency, 2500.0);
    ASSERT_EQ(next.channel.arbPointCount, 300);
    for (int i = 0; i < 300; ++i) {
        EXPECT_NEAR(next.channel.arbPoints[static_cast<std::size_t>(i)],
                    source.channel.arbPoints[static_cast<std::size_t>(i)], 1e-6)
            << i;
    }
}

TEST_F(DefaultPanelTest, ASettingsFileWithoutPointsLoadsAsBefore) {
    ChannelFixture source(true);
    MakeArbitrary(source.channel);
    ASSERT_TRUE(SaveSettings(source.channel, folder / "Default.set").ok);  // an older version

    ChannelFixture before(true);
    ASSERT_TRUE(LoadSettings(before.channel, folder / "Default.set", language).ok);
    ChannelFixture now(true);
    const PanelLoad load = LoadPanel(now.channel, folder / "Default.set", language);
    EXPECT_TRUE(load.result.ok);
    EXPECT_TRUE(load.result.message.empty());
    EXPECT_FALSE(load.pointsRestored);
    EXPECT_EQ(now.channel.Snapshot(), before.channel.Snapshot());
    EXPECT_EQ(now.channel.QueuedCommands(), before.channel.QueuedCommands());
}

TEST_F(DefaultPanelTest, AnotherWaveTypeLeavesNoPointsBehind) {
    ChannelFixture source(true);
    MakeArbitrary(source.channel);
    ASSERT_TRUE(SavePanel(source.channel, folder / "Default.set").ok);
    ASSERT_TRUE(std::filesystem::exists(folder / "Default.csv"));
    source.channel.SetWaveType(Square);
    ASSERT_TRUE(SavePanel(source.channel, folder / "Default.set").ok);
    EXPECT_FALSE(std::filesystem::exists(folder / "Default.csv"));
}

struct DamagedPoints {
    const char* name;
    const char* text;  // nullptr: a folder in the file's place
};

class DamagedPointsTest : public DefaultPanelTest,
                          public ::testing::WithParamInterface<DamagedPoints> {};

TEST_P(DamagedPointsTest, FallBackWithAMessageNamingTheFile) {
    ChannelFixture source(true);
    MakeArbitrary(source.channel);
    ASSERT_TRUE(SavePanel(source.channel, folder / "Default.set").ok);
    std::filesystem::remove(folder / "Default.csv");
    if (GetParam().text == nullptr) {
        std::filesystem::create_directory(folder / "Default.csv");
    } else {
        folder.Write("Default.csv", GetParam().text);
    }

    ChannelFixture next(true);
    const WaveParams table = next.channel.Snapshot();
    const PanelLoad load = LoadPanel(next.channel, folder / "Default.set", language);
    EXPECT_TRUE(load.result.ok);  // the settings themselves were applied
    EXPECT_FALSE(load.pointsRestored);
    EXPECT_NE(load.result.message.find((folder / "Default.csv").string()), std::string::npos)
        << load.result.message;
    EXPECT_EQ(next.channel.arbPointCount, table.arbPointCount);
    EXPECT_EQ(next.channel.Snapshot().arbPoints, table.arbPoints);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedPointsTest,
    ::testing::Values(DamagedPoints{"Empty", ""}, DamagedPoints{"NotCsv", "\x01\x02garbage\n"},
                      DamagedPoints{"NoPointLines", "#CLOCK=1000\r\n#SIZE=300\r\n"},
                      DamagedPoints{"TooManyPoints", "#CLOCK=1000\r\n#SIZE=5000\r\n1,0,0\r\n"},
                      DamagedPoints{"AFolder", nullptr}),
    [](const ::testing::TestParamInfo<DamagedPoints>& info) {
        return std::string(info.param.name);
    });

// A pipe in the points file's place is refused without waiting for a writer.
TEST_F(DefaultPanelTest, APipeInThePlaceOfThePointsIsRefusedAtOnce) {
    ChannelFixture source(true);
    MakeArbitrary(source.channel);
    ASSERT_TRUE(SavePanel(source.channel, folder / "Default.set").ok);
    std::filesystem::remove(folder / "Default.csv");
    ASSERT_EQ(mkfifo((folder / "Default.csv").c_str(), 0600), 0);
    ChannelFixture next(true);
    const PanelLoad load = LoadPanel(next.channel, folder / "Default.set", language);
    EXPECT_FALSE(load.pointsRestored);
    EXPECT_NE(load.result.message.find("Default.csv"), std::string::npos);
}

}  // namespace
}  // namespace korvane
