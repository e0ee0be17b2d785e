#include <gtest/gtest.h>

#include "support/param_name.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <QSlider>
#include "document/command_ids.h"
#include "document/csv_commands.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "formats/settings_file.h"
#include "shell_fixture.h"
#include "view/controls/on_off.h"
#include "view/dialogs/wave_number_dialog.h"
#include "view/multi_tessel_view.h"

namespace korvane {
namespace {

struct ColumnCase {
    int pointCount;
    int arbPointCount;
    int scrollRange;
    float viewPosition;
    int index;
    int width;
    int expected;
};

class PointColumnTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(PointColumnTest, MapsAPointToItsDisplayColumn) {
    const ColumnCase& c = GetParam();
    SimulatedDeviceLibrary library(0);
    ChannelState state(library);
    state.pointCount = c.pointCount;
    state.arbPointCount = c.arbPointCount;
    state.arbScrollRange = c.scrollRange;
    state.arbViewPosition = c.viewPosition;
    EXPECT_EQ(PointColumn(state, c.index, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PointColumnTest,
    ::testing::Values(
        // Whole table in view: the column is the point's share of the width.
        ColumnCase{1000, 1000, 1000, 0.0f, 500, 600, 300},
        ColumnCase{1000, 1000, 1000, 0.0f, 0, 600, 0},
        // A window of 250 points scrolled half-way: point 500 sits at (500 - 375) / 250.
        ColumnCase{1000, 1000, 250, 0.5f, 500, 400, 200},
        // Points left of the window give negative columns, truncated toward zero.
        ColumnCase{1000, 1000, 250, 0.5f, 374, 400, -1},
        // The buffer holds two periods of 500 points.
        ColumnCase{1000, 500, 1000, 0.0f, 250, 800, 400},
        // No points or no window: column 0 rather than a division by zero.
        ColumnCase{1000, 0, 1000, 0.0f, 10, 800, 0}, ColumnCase{1000, 1000, 0, 0.0f, 10, 800, 0}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName("points", p.arbPointCount, "window", p.scrollRange, "at",
                               p.viewPosition, "index", p.index, "width", p.width);
    });

TEST(ChooseHelpFile, PrefersTheLanguagesHelpThenEnglish) {
    QTemporaryDir dir;
    const QString language = dir.path() + QStringLiteral("/language/");
    QDir().mkpath(language + QStringLiteral("sub"));
    const auto touch = [](const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    // Nothing there: the English manual's path.
    EXPECT_EQ(ChooseHelpFile(dir.path(), QStringLiteral("sub/German.lug")),
              language + QStringLiteral("English.html"));
    touch(language + QStringLiteral("English.html"));
    EXPECT_EQ(ChooseHelpFile(dir.path(), QString()), language + QStringLiteral("English.html"));
    touch(language + QStringLiteral("English.chm"));
    EXPECT_EQ(ChooseHelpFile(dir.path(), QStringLiteral("sub/German.lug")),
              language + QStringLiteral("English.chm"));
    touch(language + QStringLiteral("sub/German.html"));
    EXPECT_EQ(ChooseHelpFile(dir.path(), QStringLiteral("sub/German.lug")),
              language + QStringLiteral("sub/German.html"));
    touch(language + QStringLiteral("sub/German.chm"));
    EXPECT_EQ(ChooseHelpFile(dir.path(), QStringLiteral("sub\\German.lug")),
              language + QStringLiteral("sub/German.chm"));
    // The built-in language always uses the English help.
    EXPECT_EQ(ChooseHelpFile(dir.path(), QString()), language + QStringLiteral("English.chm"));
}

TEST(HelpCommand, OpensTheEnglishManualWhenTheLanguageHasNone) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("language/German.lug"), "[App]\r\n8888=Deutsch\r\n");
    program.WriteFile(QStringLiteral("language/English.html"), "<html></html>");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    UrlRecorder urls;
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdHelpContent));
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_EQ(urls.opened[0].toLocalFile(),
              program.ProgramDir() + QStringLiteral("/language/English.html"));
}

// Without a viewer for the manual (no desktop handler here), or without the manual, the user is
// told where it is, or where it belongs.
TEST(HelpCommand, WithoutAViewerOrAManualTellsWhereTheManualIs) {
    const struct {
        const char* name;
        bool manualThere;
        const char* message;
    } cases[] = {
        {"no viewer", true, "The manual could not be opened. Open it in a browser: %1"},
        {"no manual", false, "The manual was not found. It belongs here: %1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramUnderTest program(0);
        if (c.manualThere) {
            program.WriteFile(QStringLiteral("language/English.html"), "<html></html>");
        }
        ASSERT_TRUE(program.Start());
        program.responder.messages.clear();  // the start-up's own message
        ASSERT_TRUE(program.ChooseMenuCommand(kCmdHelpContent));
        const QString manual = program.ProgramDir() + QStringLiteral("/language/English.html");
        EXPECT_EQ(program.responder.messages.join(QLatin1Char('|')).toStdString(),
                  QString::fromLatin1(c.message).arg(manual).toStdString());
    }
}

TEST(HelpCommand, AnOpenedManualShowsNoMessage) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("language/English.html"), "<html></html>");
    ASSERT_TRUE(program.Start());
    program.responder.messages.clear();
    UrlRecorder urls;
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdHelpContent));
    EXPECT_EQ(urls.opened.size(), 1);
    EXPECT_TRUE(program.responder.messages.isEmpty());
}

TEST(DeviceWindow, ClosingAppliesThePowerOnOutputAndSavesTheDefaultSettings) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    ChannelState& channel = *program.Device(0).m_pState;
    channel.SetFrequency(4321.0);
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdPowerOnOutputOpen));
    program.Simulator().ClearCallLog();
    program.Frame().CloseDevice(0);

    // The window's session sends it as its last call, on its own thread, after the window went.
    const auto powerOnSent = [&] {
        for (const auto& call : program.Simulator().CallLog()) {
            if (call.name == "DDSSetPowerOnOutput" && call.device == 0 && call.value == 1) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(WaitFor(powerOnSent));
    EXPECT_EQ(program.Simulator().Device(0).powerOnOutput, 1);
    EXPECT_EQ(QFile(program.ProgramDir() + QStringLiteral("/Default.set")).size(), 114);

    // The next window on a real generator comes back with the saved panel.
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    EXPECT_EQ(program.Device(0).m_pState->demo, 0);
    EXPECT_DOUBLE_EQ(program.Device(0).m_pState->frequency, 4321.0);
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fault: closing a demo window (or a second copy of the program with demo windows only)
// overwrote Default.set, so the next real generator started from a demo's panel.
TEST(DeviceWindow, ADemoWindowNeitherSavesNorReadsTheDefaultSettings) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    const QString settings = program.ProgramDir() + QStringLiteral("/Default.set");
    program.Device(0).m_pState->SetFrequency(777.0);
    program.Frame().CloseDevice(0);
    EXPECT_FALSE(QFile::exists(settings)) << "a demo window wrote Default.set";

    // A real generator's panel saved earlier stays byte for byte.
    SettingsRecord real;
    real.frequency = 4321.0;
    const SettingsBytes bytes = EncodeSettings(real);
    program.WriteFile(QStringLiteral("Default.set"),
                      QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    EXPECT_DOUBLE_EQ(program.Device(0).m_pState->frequency, 1000.0);  // a demo reads none
    const QByteArray before = FileBytes(settings);
    program.Device(0).m_pState->SetFrequency(777.0);
    program.Frame().CloseDevice(0);
    EXPECT_EQ(FileBytes(settings), before);
}

// The fault: an arbitrary panel saved in Default.set came back as a sine without its points.
TEST(DeviceWindow, AnArbitraryPanelComesBackWithItsPoints) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    auto* view = qobject_cast<CMultiTesselView*>(program.Device(0).View());
    ASSERT_NE(view, nullptr);
    view->SelectWaveType(Arbitrary);  // as the Arb key does: the sine becomes points
    ChannelState& channel = *program.Device(0).m_pState;
    channel.arbPoints[5] = 1.25f;
    const WaveParams saved = channel.Snapshot();
    program.Frame().CloseDevice(0);
    EXPECT_EQ(QFile(program.ProgramDir() + QStringLiteral("/Default.set")).size(), 114);
    EXPECT_TRUE(QFile::exists(program.ProgramDir() + QStringLiteral("/Default.csv")));

    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    const ChannelState& next = *program.Device(0).m_pState;
    EXPECT_EQ(next.demo, 0);
    EXPECT_EQ(next.waveType, Arbitrary);
    ASSERT_EQ(next.arbPointCount, saved.arbPointCount);
    for (int i = 0; i < saved.arbPointCount; ++i) {
        EXPECT_NEAR(next.arbPoints[static_cast<std::size_t>(i)],
                    saved.arbPoints[static_cast<std::size_t>(i)], 1e-6)
            << i;
    }
    auto* nextView = qobject_cast<CMultiTesselView*>(program.Device(0).View());
    ASSERT_NE(nextView, nullptr);
    EXPECT_TRUE(nextView->Form().waveKeys[Arbitrary]->Value());
    EXPECT_TRUE(nextView->Slider().isVisibleTo(nextView));
}

// A damaged points file leaves the panel as an older version would, and says which file.
TEST(DeviceWindow, ADamagedPointsFileIsNamedAndTheSineComesBack) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    qobject_cast<CMultiTesselView*>(program.Device(0).View())->SelectWaveType(Arbitrary);
    program.Frame().CloseDevice(0);
    program.WriteFile(QStringLiteral("Default.csv"), "#CLOCK=1000\r\n#SIZE=0\r\n");
    program.responder.messages.clear();
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    ASSERT_EQ(program.responder.messages.size(), 1);
    EXPECT_TRUE(program.responder.messages.front().contains(QStringLiteral("Default.csv")))
        << program.responder.messages.front().toStdString();
    EXPECT_EQ(program.Device(0).m_pState->waveType, Sine);
}

TEST(DeviceWindow, ExitClosesEveryWindowAndFreesItsDevice) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdAppExit));
    EXPECT_EQ(program.Frame().GetDeviceCount(), 0);
    EXPECT_TRUE(program.Frame().MdiArea().subWindowList().isEmpty());
    EXPECT_FALSE(program.Frame().isVisible());
}

TEST(DocumentCommands, WaveNumberTakesTheEnteredNumber) {
    ProgramUnderTest program(0);
    program.responder.onOtherDialog = [](QDialog& dialog) {
        if (auto* waveNumber = qobject_cast<WaveNumberDialog*>(&dialog)) {
            waveNumber->Field().selectAll();
            QTest::keyClicks(&waveNumber->Field(), QStringLiteral("7"));
            QTest::keyClick(&waveNumber->Field(), Qt::Key_Return);
        }
    };
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdWaveNumber));
    EXPECT_EQ(program.Device(0).m_pState->waveNumber, 7);
}

TEST(DocumentCommands, TabMenuSavesTheSelectedDevicesWaveform) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    const QString target = program.ProgramDir() + QStringLiteral("/first.csv");
    ScopedCsvFileChooser chooser([&](QWidget*, CsvFileDialog) { return target; });
    program.Frame().ActivateTab(0);
    QAction* saveAs = program.Frame().TabContextMenu().actions().value(4);
    ASSERT_NE(saveAs, nullptr);
    saveAs->trigger();
    EXPECT_GT(QFile(target).size(), 0);
    EXPECT_EQ(program.Device(0).m_strFileName, QStringLiteral("first.csv"));
}

TEST(DocumentCommands, OpenWithoutADeviceWindowLoadsTheFileIntoANewOne) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    const QString wave = program.ProgramDir() + QStringLiteral("/wave.csv");
    program.WriteFile(QStringLiteral("wave.csv"),
                      "#CLOCK=1000000.000000\r\n#SIZE=4\r\n1.0,0,0\r\n-1.0,0,0\r\n0.5,0,0\r\n"
                      "0.0,0,0\r\n");
    program.Frame().CloseDevice(0);
    program.Frame().TimerTick();
    program.responder.onOtherDialog = [&](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            files->selectFile(wave);
            static_cast<QDialog*>(files)->accept();
        }
    };
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileOpen));
    ASSERT_EQ(program.Frame().GetDeviceCount(), 1);
    const ChannelState& channel = *program.Device(0).m_pState;
    EXPECT_EQ(channel.waveType, Arbitrary);
    EXPECT_EQ(channel.arbPointCount, 4);
    EXPECT_FLOAT_EQ(channel.arbPoints[1], -1.0f);
    EXPECT_EQ(program.Device(0).m_strFileName, QStringLiteral("wave.csv"));
}

TEST(DocumentCommands, CancelledOpenWithoutADeviceWindowOpensNothing) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    program.Frame().CloseDevice(0);
    program.Frame().TimerTick();
    program.responder.onOtherDialog = [](QDialog& dialog) { dialog.reject(); };
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileOpen));
    EXPECT_EQ(program.Frame().GetDeviceCount(), 0);
}

TEST(DocumentCommands, AFileDroppedOnTheFrameOpensInANewWindow) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    program.WriteFile(QStringLiteral("drop.csv"),
                      "#CLOCK=2000.000000\r\n#SIZE=2\r\n0.5,0,0\r\n-0.5,0,0\r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(program.ProgramDir() + QStringLiteral("/drop.csv"))});
    const QPoint inside = program.Frame().rect().center();
    QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&program.Frame(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(inside), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&program.Frame(), &drop);
    ASSERT_EQ(program.Frame().GetDeviceCount(), 2);
    EXPECT_EQ(program.Device(1).m_strFileName, QStringLiteral("drop.csv"));
    EXPECT_EQ(program.Device(1).m_pState->arbPointCount, 2);
}

}  // namespace
}  // namespace korvane
