// The Utility > Sound card output dialog as the user reads it: its texts in the chosen language,
// and the line that says when the environment's sound card is used in place of the choice.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <string>

#include "document/command_ids.h"
#include "platform/ini_file.h"
#include "shell/sound_card_dialog.h"
#include "shell_fixture.h"
#include "support/scoped_environment.h"

namespace korvane {
namespace {

// What the dialog showed, read while it was open.
struct DialogSeen {
    bool opened = false;
    bool noteShown = false;
    QString note;
    QString title;
    QString none;
    QStringList labels;  // the form's row labels, top to bottom
    QStringList texts;   // every label's text
    QString ok;
    QString cancel;
};

// Opens the dialog from the menu, reads it, then sets the latency to 80 ms and presses OK with
// the first PCM the machine's ALSA offers chosen.
DialogSeen OpenAndConfirm(ProgramUnderTest& program) {
    DialogSeen seen;
    program.responder.onOtherDialog = [&](QDialog& dialog) {
        auto* sound = qobject_cast<SoundCardDialog*>(&dialog);
        if (sound == nullptr) {
            dialog.reject();
            return;
        }
        seen.opened = true;
        seen.noteShown = sound->OverrideNote().isVisible();
        seen.note = sound->OverrideNote().text();
        seen.title = sound->windowTitle();
        seen.none = sound->Pcms().itemText(0);
        auto* form = sound->findChild<QFormLayout*>();
        for (QWidget* field :
             {static_cast<QWidget*>(&sound->Pcms()), static_cast<QWidget*>(&sound->Rate()),
              static_cast<QWidget*>(&sound->Latency())}) {
            auto* label = qobject_cast<QLabel*>(form->labelForField(field));
            seen.labels << (label ? label->text() : QString());
        }
        for (const QLabel* label : sound->findChildren<QLabel*>()) {
            seen.texts << label->text();
        }
        auto* buttons = sound->findChild<QDialogButtonBox*>();
        seen.ok = buttons->button(QDialogButtonBox::Ok)->text();
        seen.cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        if (sound->Pcms().count() > 1) {
            sound->Pcms().setCurrentIndex(1);
        }
        sound->Latency().setValue(80);
        buttons->button(QDialogButtonBox::Ok)->click();
    };
    EXPECT_TRUE(program.ChooseMenuCommand(kCmdSoundCardOutput));
    program.responder.onOtherDialog = {};
    return seen;
}

std::string StoredLatency(const ProgramUnderTest& program) {
    return IniFile((program.ProgramDir() + QStringLiteral("/config.ini")).toStdString())
        .ReadString("SoundCard", "Latency");
}

struct OverrideCase {
    const char* name;
    const char* audio;  // KVDDS_AUDIO; nullptr: unset
    const char* rate;
    const char* latency;
    const char* note;  // nullptr: no line is shown
};

class EnvironmentOverride : public ::testing::TestWithParam<OverrideCase> {};

TEST_P(EnvironmentOverride, TheDialogSaysSoAndTheChoiceIsStillStored) {
    const OverrideCase& c = GetParam();
    testing::ScopedEnvironment audio("KVDDS_AUDIO", c.audio);
    testing::ScopedEnvironment rate("KVDDS_AUDIO_RATE", c.rate);
    testing::ScopedEnvironment latency("KVDDS_AUDIO_LATENCY", c.latency);
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    const DialogSeen seen = OpenAndConfirm(program);
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.noteShown, c.note != nullptr);
    EXPECT_EQ(seen.note, c.note ? QString::fromUtf8(c.note) : QString());
    // Kept for the starts without the variable.
    EXPECT_EQ(StoredLatency(program), "80");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnvironmentOverride,
    ::testing::Values(
        OverrideCase{"AudioAlone", "hw:1,0", nullptr, nullptr,
                     "KVDDS_AUDIO=hw:1,0 is set: it is used in place of this choice."},
        OverrideCase{"AudioRateAndLatency", "hw:1,0", "96000", "80",
                     "KVDDS_AUDIO=hw:1,0 KVDDS_AUDIO_RATE=96000 KVDDS_AUDIO_LATENCY=80 are set: "
                     "they are used in place of this choice."},
        OverrideCase{"AudioAndLatency", "default", nullptr, "120",
                     "KVDDS_AUDIO=default KVDDS_AUDIO_LATENCY=120 are set: they are used in "
                     "place of this choice."},
        OverrideCase{"Nothing", nullptr, nullptr, nullptr, nullptr},
        // Without KVDDS_AUDIO the configured card plays, at its own rate and latency.
        OverrideCase{"RateAndLatencyWithoutAudio", nullptr, "96000", "80", nullptr},
        OverrideCase{"EmptyAudio", "", "96000", nullptr, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

struct DialogLanguage {
    const char* name;
    const char* file;
    const char* note;  // for KVDDS_AUDIO=hw:1,0 and KVDDS_AUDIO_RATE=96000
    const char* title;
    const char* none;
    const char* pcmLabel;
    const char* rateLabel;
    const char* latencyLabel;
    const char* nextStart;
    const char* ok;
    const char* cancel;
};

class TranslatedSoundCardDialog : public ::testing::TestWithParam<DialogLanguage> {};

TEST_P(TranslatedSoundCardDialog, EveryTextFollowsTheLanguage) {
    const DialogLanguage& language = GetParam();
    testing::ScopedEnvironment audio("KVDDS_AUDIO", "hw:1,0");
    testing::ScopedEnvironment rate("KVDDS_AUDIO_RATE", "96000");
    testing::ScopedEnvironment latency("KVDDS_AUDIO_LATENCY", nullptr);
    ProgramUnderTest program(1);
    program.WriteFile(QStringLiteral("language/") + QString::fromUtf8(language.file),
                      ShippedLanguageFile(language.file));
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    const DialogSeen seen = OpenAndConfirm(program);
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.noteShown);
    EXPECT_EQ(seen.note, QString::fromUtf8(language.note));
    EXPECT_EQ(seen.title, QString::fromUtf8(language.title));
    EXPECT_EQ(seen.none, QString::fromUtf8(language.none));
    EXPECT_EQ(seen.labels, (QStringList{QString::fromUtf8(language.pcmLabel),
                                        QString::fromUtf8(language.rateLabel),
                                        QString::fromUtf8(language.latencyLabel)}));
    EXPECT_TRUE(seen.texts.contains(QString::fromUtf8(language.nextStart)))
        << seen.texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(seen.ok, QString::fromUtf8(language.ok));
    EXPECT_EQ(seen.cancel, QString::fromUtf8(language.cancel));
}

INSTANTIATE_TEST_SUITE_P(
    ShippedLanguages, TranslatedSoundCardDialog,
    ::testing::Values(
        DialogLanguage{"German", "Deutsch.lug",
                       "KVDDS_AUDIO=hw:1,0 KVDDS_AUDIO_RATE=96000 sind gesetzt und werden an "
                       "Stelle dieser Auswahl verwendet.",
                       "Soundkarten-Ausgang", "keiner (keine Soundkarte)",
                       "Ausgang (ALSA-PCM):", "Abtastrate (Hz):", "Latenz (ms):",
                       "Wird beim nächsten Start des Programms wirksam.", "OK", "Abbrechen"},
        DialogLanguage{
            "Chinese", "\u7B80\u4F53\u4E2D\u6587.lug",
            "已设置 KVDDS_AUDIO=hw:1,0 KVDDS_AUDIO_RATE=96000：程序使用它们代替此处的选择。",
            "声卡输出", "无 (不使用声卡)", "输出 (ALSA PCM):", "采样率 (Hz):", "延迟 (ms):",
            "在程序下次启动时生效。", "确定", "取消"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane
