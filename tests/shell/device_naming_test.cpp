// What the Device List, the tab's tooltip and the status bar call a sound card output, in the
// chosen language.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "document/command_ids.h"
#include "engine/device_library/library_factory.h"
#include "engine/device_library/simulated_device_library.h"
#include "shell/device_list_dialog.h"
#include "shell/device_tab_bar.h"
#include "shell_fixture.h"
#include "support/borrowed_library.h"

namespace korvane {
namespace {

// A simulator of two generators whose first one the library says is a sound card's left output,
// as the sound-card library does; the second it says nothing about.
class DescribedLibrary : public testing::BorrowedLibrary {
  public:
    explicit DescribedLibrary(DeviceLibrary& inner) : BorrowedLibrary(inner) {}
    DeviceIdentity Identify(int device) const override {
        return device == 0 ? DeviceIdentity{DeviceIdentity::Kind::kSoundCardOutput,
                                            DeviceIdentity::Side::kLeft, "file"}
                           : DeviceIdentity();
    }
};

struct DescribedProgram {
    SimulatedDeviceLibrary simulator{2};
    ProgramUnderTest program{std::make_unique<DescribedLibrary>(simulator), simulator};
};

// Waits until the status bar shows the device as connected; returns its detail pane.
QString ConnectedDetail(ProgramUnderTest& program, const QString& connectText) {
    const bool connected = WaitFor([&] {
        program.Frame().TimerTick();
        return program.Frame().PaneText(0) == connectText;
    });
    EXPECT_TRUE(connected) << program.Frame().PaneText(0).toStdString();
    return program.Frame().PaneText(1);
}

// The program starts in the shipped language `file` (language 0), as config.ini remembers it.
void StartIn(ProgramUnderTest& program, const char* file) {
    program.WriteFile(QStringLiteral("language/") + QString::fromUtf8(file),
                      ShippedLanguageFile(file));
    program.WriteFile(QStringLiteral("config.ini"), "[Form]\r\nLanguage=0\r\n");
}

TEST(DeviceNaming, TheDeviceListSaysWhichRowIsTheSoundCardOutput) {
    DescribedProgram described;
    ASSERT_TRUE(described.program.Start());
    ASSERT_EQ(described.program.responder.deviceLists.size(), 1);
    EXPECT_EQ(described.program.responder.deviceLists[0],
              (QStringList{"1  Sound card left output (file)", "2"}));
}

TEST(DeviceNaming, TabToolTipAndStatusBarNameTheSoundCardOutput) {
    DescribedProgram described;
    ProgramUnderTest& program = described.program;
    ASSERT_TRUE(program.Start());  // OK on the first row: device 0
    EXPECT_EQ(program.Frame().TabBar().tabToolTip(0),
              QStringLiteral("Sound card left output (file)"));
    EXPECT_EQ(ConnectedDetail(program, QStringLiteral("Connect")),
              QStringLiteral("Sound card left output (file)"));
}

TEST(DeviceNaming, AnUndescribedDeviceKeepsTheSerialNumberAndNoToolTip) {
    DescribedProgram described;
    ProgramUnderTest& program = described.program;
    program.responder.onDeviceList = [](DeviceListDialog& dialog) {
        dialog.List().selectRow(1);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    };
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Frame().TabBar().tabToolTip(0), QString());
    EXPECT_TRUE(ConnectedDetail(program, QStringLiteral("Connect"))
                    .startsWith(QStringLiteral("Combine Device Serial Number")))
        << program.Frame().PaneText(1).toStdString();
}

struct NamingCase {
    const char* name;
    const char* file;
    const char* connect;  // the status bar's "Connect"
    const char* left;     // the left output of PCM "file"
};

class TranslatedDeviceNaming : public ::testing::TestWithParam<NamingCase> {};

TEST_P(TranslatedDeviceNaming, ListToolTipAndStatusBarSpeakTheLanguage) {
    DescribedProgram described;
    ProgramUnderTest& program = described.program;
    StartIn(program, GetParam().file);
    ASSERT_TRUE(program.Start());
    const QString left = QString::fromUtf8(GetParam().left);
    ASSERT_EQ(program.responder.deviceLists.size(), 1);
    EXPECT_EQ(program.responder.deviceLists[0], (QStringList{QStringLiteral("1  ") + left, "2"}));
    EXPECT_EQ(program.Frame().TabBar().tabToolTip(0), left);
    EXPECT_EQ(ConnectedDetail(program, QString::fromUtf8(GetParam().connect)), left);

    // Back to English: the tooltip and the status bar follow.
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdLanguageDefault));
    EXPECT_EQ(program.Frame().TabBar().tabToolTip(0),
              QStringLiteral("Sound card left output (file)"));
    EXPECT_EQ(ConnectedDetail(program, QStringLiteral("Connect")),
              QStringLiteral("Sound card left output (file)"));
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, TranslatedDeviceNaming,
                         ::testing::Values(NamingCase{"German", "Deutsch.lug", "Verbunden",
                                                      "Soundkarte, linker Ausgang (file)"},
                                           NamingCase{"Chinese", "\u7B80\u4F53\u4E2D\u6587.lug",
                                                      "已连接", "声卡左声道输出 (file)"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The sound card library itself, on ALSA's "null" PCM (always there, it discards the samples):
// both outputs in the Device List and the chosen one in the status bar, in German.
TEST(DeviceNaming, ARealSoundCardsOutputsAreNamedInGerman) {
    SimulatedDeviceLibrary unused(0);
    ProgramUnderTest program(CreateSoundCardLibrary(AudioSettings{"null", 48000, 50}), unused);
    StartIn(program, "Deutsch.lug");
    program.responder.onDeviceList = [](DeviceListDialog& dialog) {
        dialog.List().selectRow(1);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    };
    ASSERT_TRUE(program.Start());
    ASSERT_EQ(program.responder.deviceLists.size(), 1);
    EXPECT_EQ(program.responder.deviceLists[0],
              (QStringList{"1  Soundkarte, linker Ausgang (null)",
                           "2  Soundkarte, rechter Ausgang (null)"}));
    EXPECT_EQ(program.Frame().TabBar().tabToolTip(0),
              QStringLiteral("Soundkarte, rechter Ausgang (null)"));
    EXPECT_EQ(ConnectedDetail(program, QStringLiteral("Verbunden")),
              QStringLiteral("Soundkarte, rechter Ausgang (null)"));
}

}  // namespace
}  // namespace korvane
