// Utility > Sound card output (stored in config.ini, used at the next start) and Utility >
// Synchronize Outputs.
#include <gtest/gtest.h>

#include "support/param_name.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <atomic>
#include <cstdlib>
#include <optional>
#include <string>

#include "document/command_ids.h"
#include "engine/device_library/library_factory.h"
#include "engine/device_library/simulated_device_library.h"
#include "platform/ini_file.h"
#include "shell/runtime_paths.h"
#include "shell/sound_card_config.h"
#include "shell/sound_card_dialog.h"
#include "shell_fixture.h"
#include "support/borrowed_library.h"
#include "support/english_description.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace korvane {
namespace {

IniFile ProgramConfig(const ProgramUnderTest& program) {
    return IniFile((program.ProgramDir() + QStringLiteral("/config.ini")).toStdString());
}

// ALSA's own "null" PCM: it is always configured and discards what it is given (the dialog does
// not offer it, but a stored one is taken as it is).
constexpr char kNullPcm[] = "null";

TEST(SoundCardOutput, TheChosenPcmRateAndLatencyAreStoredInConfigIni) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    bool seen = false;
    std::string chosen;
    program.responder.onOtherDialog = [&](QDialog& dialog) {
        auto* sound = qobject_cast<SoundCardDialog*>(&dialog);
        if (sound == nullptr) {
            dialog.reject();
            return;
        }
        seen = true;
        EXPECT_EQ(sound->Pcms().itemText(0), QStringLiteral("none (no sound card)"));
        // The first PCM the machine's ALSA configuration offers (deps.sh installs its plugins).
        ASSERT_GE(sound->Pcms().count(), 2) << "ALSA lists no playback PCM";
        sound->Pcms().setCurrentIndex(1);
        chosen = sound->Pcms().currentData().toString().toStdString();
        sound->Rate().setCurrentText(QStringLiteral("96000"));
        sound->Latency().setValue(80);
        sound->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdSoundCardOutput));
    program.responder.onOtherDialog = {};
    ASSERT_TRUE(seen);
    ASSERT_FALSE(chosen.empty());
    const IniFile config = ProgramConfig(program);
    EXPECT_EQ(config.ReadString("SoundCard", "Pcm"), chosen);
    EXPECT_EQ(config.ReadString("SoundCard", "Rate"), "96000");
    EXPECT_EQ(config.ReadString("SoundCard", "Latency"), "80");
}

TEST(SoundCardOutput, TheDialogShowsTheStoredChoiceAndNoneClearsIt) {
    ProgramUnderTest program(1);
    program.WriteFile(QStringLiteral("config.ini"),
                      "[SoundCard]\nPcm=hw:CARD=Gone,DEV=0\nRate=44100\nLatency=120\n");
    ASSERT_TRUE(program.Start());
    bool seen = false;
    program.responder.onOtherDialog = [&](QDialog& dialog) {
        auto* sound = qobject_cast<SoundCardDialog*>(&dialog);
        if (sound == nullptr) {
            dialog.reject();
            return;
        }
        seen = true;
        // A stored PCM that is not plugged in now stays selectable.
        EXPECT_EQ(sound->Pcms().currentData().toString(), QStringLiteral("hw:CARD=Gone,DEV=0"));
        EXPECT_EQ(sound->Rate().currentText(), QStringLiteral("44100"));
        EXPECT_EQ(sound->Latency().value(), 120);
        sound->Pcms().setCurrentIndex(0);
        sound->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdSoundCardOutput));
    program.responder.onOtherDialog = {};
    ASSERT_TRUE(seen);
    EXPECT_EQ(ProgramConfig(program).ReadString("SoundCard", "Pcm"), "");
    EXPECT_FALSE(ReadSoundCardSettings(ProgramConfig(program)).has_value());
}

struct StoredCase {
    const char* ini;
    std::optional<AudioSettings> expected;
};

class StoredSoundCardTest : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredSoundCardTest, ReadsAsTheSettingsTheProgramStartsWith) {
    testing::TempFolder folder;
    const std::optional<AudioSettings> read =
        ReadSoundCardSettings(IniFile(folder.Write("config.ini", GetParam().ini)));
    ASSERT_EQ(read.has_value(), GetParam().expected.has_value());
    if (read) {
        EXPECT_EQ(read->pcm, GetParam().expected->pcm);
        EXPECT_EQ(read->rate, GetParam().expected->rate);
        EXPECT_EQ(read->latencyMs, GetParam().expected->latencyMs);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredSoundCardTest,
    ::testing::Values(StoredCase{"", std::nullopt}, StoredCase{"[SoundCard]\nPcm=\n", std::nullopt},
                      StoredCase{"[SoundCard]\nPcm=default\nRate=192000\nLatency=20\n",
                                 AudioSettings{"default", 192000, 20}},
                      StoredCase{"[SoundCard]\nPcm=hw:1,0\n",
                                 AudioSettings{"hw:1,0", 48000, AudioSettings::kDefaultLatencyMs}},
                      StoredCase{"[SoundCard]\nPcm=hw:1,0\nRate=12x\nLatency=99999\n",
                                 AudioSettings{"hw:1,0", 48000, AudioSettings::kDefaultLatencyMs}},
                      StoredCase{"[SoundCard]\nPcm=hw:1,0\nRate=100\nLatency=1\n",
                                 AudioSettings{"hw:1,0", 48000, AudioSettings::kDefaultLatencyMs}}),
    [](const auto& info) { return test::ParamName("ini", info.param.ini); });

TEST(SoundCardOutput, TheNextStartGetsTheStoredSoundCardUnlessTheEnvironmentNamesOne) {
    testing::TempFolder folder;
    const IniFile config(folder.path() / "config.ini");
    ASSERT_EQ(WriteSoundCardSettings(config, AudioSettings{kNullPcm, 48000, 50}), 0);
    const std::optional<AudioSettings> configured = ConfiguredSoundCard(
        RuntimePaths(QString::fromStdString(folder.path().string()), QString()));
    ASSERT_TRUE(configured.has_value());
    {
        testing::ScopedEnvironment audio("KVDDS_AUDIO", nullptr);
        testing::ScopedEnvironment driver("KVDDS_LIBRARY", nullptr);
        const auto library = CreateDeviceLibraryFromEnvironment(configured);
        EXPECT_EQ(testing::EnglishDescription(*library, 0), "Sound card left output (null)");
        EXPECT_EQ(testing::EnglishDescription(*library, 1), "Sound card right output (null)");
    }
    {
        testing::ScopedEnvironment audio("KVDDS_AUDIO", "kv_no_such_pcm");
        testing::ScopedEnvironment driver("KVDDS_LIBRARY", nullptr);
        ::testing::internal::CaptureStderr();  // the missing PCM is reported there
        const auto library = CreateDeviceLibraryFromEnvironment(configured);
        ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(testing::EnglishDescription(*library, 0),
                  "Sound card left output (kv_no_such_pcm)");
    }
}

// A simulator whose generators share one sample clock, counting the synchronisations it gets.
class SharedClockLibrary : public testing::BorrowedLibrary {
  public:
    using BorrowedLibrary::BorrowedLibrary;
    int OutputsOnClock(int /*device*/) const override { return 2; }
    bool SynchronizeOutputs(int /*device*/) override {
        ++synchronized;
        return true;
    }
    std::atomic<int> synchronized{0};
};

TEST(SynchronizeOutputs, RestartsTheOutputsOfASharedClock) {
    SimulatedDeviceLibrary simulator(1);
    auto owned = std::make_unique<SharedClockLibrary>(simulator);
    SharedClockLibrary& library = *owned;
    ProgramUnderTest program(std::move(owned), simulator);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(library.synchronized.load(), 0);
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdSynchronizeOutputs));
    EXPECT_TRUE(WaitFor([&] { return library.synchronized.load() == 1; }));
}

TEST(SynchronizeOutputs, IsDisabledWithoutOutputsSharingAClock) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    EXPECT_FALSE(program.ChooseMenuCommand(kCmdSynchronizeOutputs));
}

}  // namespace
}  // namespace korvane
