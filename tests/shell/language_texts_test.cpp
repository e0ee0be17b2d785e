// Texts the program composes itself in the chosen language: the waveform display's lines, the
// automatic tab names and the Device List's OK button, read as the user sees them.
#include <gtest/gtest.h>

#include "support/painted_texts.h"
#include "support/param_name.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "shell/device_list_dialog.h"
#include "shell/device_tab_bar.h"
#include "shell_fixture.h"
#include "view/controls/on_off.h"
#include "view/multi_tessel_view.h"
#include "view/wave_display.h"

namespace korvane {
namespace {

CMultiTesselView& ViewOf(ProgramUnderTest& program, int tab) {
    auto* view = dynamic_cast<CMultiTesselView*>(program.Device(tab).View());
    EXPECT_NE(view, nullptr);
    return *view;
}

// Every text the device window's waveform display paints on the screen.
QStringList DisplayTexts(ProgramUnderTest& program, int tab = 0) {
    WaveDisplay& display = ViewOf(program, tab).Display();
    return test::PaintedTexts(
        display, [&](QPainter& painter, const QRect& area) { display.DrawWave(painter, area); });
}

void PressWaveKey(ProgramUnderTest& program, int waveType) {
    QTest::mouseClick(ViewOf(program, 0).Form().waveKeys[waveType], Qt::LeftButton);
}

QString AmplitudeLine(const char* format, const ChannelState& channel) {
    return QString::asprintf(format, double(channel.amplitude.load()), channel.frequency.load());
}

QString PointsLine(const char* format, const ChannelState& channel) {
    return QString::asprintf(format, channel.arbPointCount.load());
}

constexpr char kEnglishAmplitude[] = "Amp = %.3fV  Freq = %.3fHz";
constexpr char kEnglishPoints[] = "%d Points per Period";

struct LanguageTexts {
    const char* file;
    const char* amplitudeFormat;
    const char* pointsFormat;
    const char* noFile;
    const char* device;
    const char* demo;
    const char* ok;
};

class LanguageTextsTest : public ::testing::TestWithParam<LanguageTexts> {
  protected:
    void WriteLanguage(ProgramUnderTest& program) const {
        const QByteArray content = ShippedLanguageFile(GetParam().file);
        ASSERT_FALSE(content.isEmpty()) << GetParam().file;
        program.WriteFile(QStringLiteral("language/") + QString::fromUtf8(GetParam().file),
                          content);
    }
    QString Name(const char* word, int number) const {
        return QString::fromUtf8(word) + QLatin1Char(' ') + QString::number(number);
    }
};

TEST_P(LanguageTextsTest, TheDisplaysLinesFollowTheLanguageAndBackToEnglish) {
    const LanguageTexts& language = GetParam();
    ProgramUnderTest program(1);
    WriteLanguage(program);
    ASSERT_TRUE(program.Start());
    const ChannelState& channel = *program.Device(0).m_pState;
    ASSERT_TRUE(DisplayTexts(program).contains(AmplitudeLine(kEnglishAmplitude, channel)));

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    EXPECT_TRUE(DisplayTexts(program).contains(AmplitudeLine(language.amplitudeFormat, channel)))
        << DisplayTexts(program).join(QLatin1Char('|')).toStdString();
    PressWaveKey(program, Arbitrary);
    ASSERT_EQ(channel.waveType, Arbitrary);
    ASSERT_GE(channel.arbPointCount, 1);
    ASSERT_LE(channel.arbPointCount, 4096);
    QStringList texts = DisplayTexts(program);
    EXPECT_TRUE(texts.contains(QString::fromUtf8(language.noFile)))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(PointsLine(language.pointsFormat, channel)))
        << texts.join(QLatin1Char('|')).toStdString();
    // Only the display says it in the language: Save still knows the waveform has no file.
    EXPECT_EQ(program.Device(0).m_strFileName, QString::fromLatin1(kNoCsvFileName));

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdLanguageDefault));
    texts = DisplayTexts(program);
    EXPECT_TRUE(texts.contains(QStringLiteral("CSV file empty")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(PointsLine(kEnglishPoints, channel)));
    PressWaveKey(program, Sine);
    EXPECT_TRUE(DisplayTexts(program).contains(AmplitudeLine(kEnglishAmplitude, channel)));
}

TEST_P(LanguageTextsTest, AutomaticTabNamesFollowTheLanguageWhileTheUsersNamesStay) {
    const LanguageTexts& language = GetParam();
    ProgramUnderTest program(3);
    WriteLanguage(program);
    QStringList okTexts;
    program.responder.onDeviceList = [&](DeviceListDialog& dialog) {
        okTexts << dialog.OkButton().text();
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    };
    ASSERT_TRUE(program.Start());  // three free generators: the Device List, in English
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    EXPECT_EQ(program.TabTexts(), QStringList{Name(language.device, 1)});
    EXPECT_EQ(program.Frame().MdiArea().subWindowList()[0]->windowTitle(),
              Name(language.device, 1));

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));  // two free: the Device List again
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));  // the last one
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));  // none left: a demo window
    EXPECT_EQ(okTexts, (QStringList{"OK", QString::fromUtf8(language.ok)}));
    EXPECT_EQ(program.TabTexts(), (QStringList{Name(language.device, 1), Name(language.device, 2),
                                               Name(language.device, 3), Name(language.demo, 1)}));

    // A name the user gave stays; a rename given up with Escape fixes nothing.
    program.Frame().RenameDevice(1, QStringLiteral("Bench"));
    program.Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program.Frame()));
    DeviceTabBar& tabs = program.Frame().TabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(2).center());
    QTest::mouseDClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(2).center());
    ASSERT_TRUE(tabs.RenameEdit().isVisible());
    QTest::keyClick(&tabs.RenameEdit(), Qt::Key_Escape);

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdLanguageDefault));
    EXPECT_EQ(program.TabTexts(), (QStringList{"Device 1", "Bench", "Device 3", "Demo 1"}));
    EXPECT_EQ(program.Frame().MdiArea().subWindowList()[3]->windowTitle(),
              QStringLiteral("Demo 1"));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    EXPECT_EQ(program.TabTexts()[1], QStringLiteral("Bench"));
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, LanguageTextsTest,
    ::testing::Values(LanguageTexts{"Deutsch.lug", "Ampl. = %.3fV  Freq. = %.3fHz",
                                    "%d Punkte pro Periode", "CSV-Datei leer", "Gerät", "Demo",
                                    "OK"},
                      LanguageTexts{"简体中文.lug", "幅度 = %.3fV  频率 = %.3fHz", "每周期 %d 点",
                                    "CSV 文件为空", "设备", "演示", "确定"}),
    [](const auto& info) { return test::ParamName(info.param.file); });

// A user's name that the new language's automatic name would repeat keeps the name unique.
TEST(LanguageTexts, AnAutomaticNameThatAUsersNameHoldsTakesTheNextNumber) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("language/Test.lug"), "[App]\r\n8888=Test\r\n2007=Probe\r\n");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    program.Frame().RenameDevice(1, QStringLiteral("PROBE 1"));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    EXPECT_EQ(program.TabTexts(), (QStringList{"Probe 2", "PROBE 1"}));
}

struct MalformedCase {
    const char* name;
    const char* pointsTemplate;
    const char* amplitudeTemplate;
    const char* pointsFormat;  // what the display must show
    const char* amplitudeFormat;
};

class MalformedTemplateTest : public ::testing::TestWithParam<MalformedCase> {};

// A language file is user input: a template whose conversions differ from the program's own is
// not used (it could read the wrong arguments or write memory), a sound one beside it is.
TEST_P(MalformedTemplateTest, IsReplacedByTheProgramsOwnWhileASoundOneIsUsed) {
    const MalformedCase& c = GetParam();
    ProgramUnderTest program(1);
    program.WriteFile(QStringLiteral("language/Test.lug"),
                      QByteArray("[App]\r\n8888=Test\r\n2063=") + c.pointsTemplate +
                          "\r\n2064=" + c.amplitudeTemplate + "\r\n");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    const ChannelState& channel = *program.Device(0).m_pState;
    QStringList texts = DisplayTexts(program);
    EXPECT_TRUE(texts.contains(AmplitudeLine(c.amplitudeFormat, channel)))
        << texts.join(QLatin1Char('|')).toStdString();
    PressWaveKey(program, Arbitrary);
    texts = DisplayTexts(program);
    EXPECT_TRUE(texts.contains(PointsLine(c.pointsFormat, channel)))
        << texts.join(QLatin1Char('|')).toStdString();
    // Without a text of its own for the missing file the display keeps the English one.
    EXPECT_TRUE(texts.contains(QString::fromLatin1(kNoCsvFileName)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedTemplateTest,
    ::testing::Values(MalformedCase{"stringForTheCount", "%s Punkte", "A %.3lfV F %.3lfHz",
                                    kEnglishPoints, "A %.3fV F %.3fHz"},
                      MalformedCase{"countWritten", "%d Punkte", "%n%.3lf V %.3lf Hz", "%d Punkte",
                                    kEnglishAmplitude},
                      MalformedCase{"oneValueMissing", "Punkte: %d", "A %.3lfV", "Punkte: %d",
                                    kEnglishAmplitude},
                      MalformedCase{"hugeWidth", "%99999999d Punkte", "A %.3lfV F %.3lfHz",
                                    kEnglishPoints, "A %.3fV F %.3fHz"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane
