// What a bench user sets once and expects to find again: the language of every text (Qt's own
// dialogs included), the remote control switched from the window, and the folders, the window's
// placement and the language kept in config.ini.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "document/command_ids.h"
#include "document/csv_commands.h"
#include "document/message_box.h"
#include "document/multi_tessel_doc.h"
#include "platform/ini_file.h"
#include "remote/scpi_instrument.h"
#include "remote/scpi_server.h"
#include "remote/scpi_test_client.h"
#include "shell/remote_dialog.h"
#include "shell/status_panes.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

QString ReadConfig(const ProgramUnderTest& program) {
    QFile file(program.ProgramDir() + QStringLiteral("/config.ini"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::string ConfigValue(const ProgramUnderTest& program, const char* section, const char* key) {
    const IniFile config((program.ProgramDir() + QStringLiteral("/config.ini")).toStdString());
    return config.ReadString(section, key);
}

// A program with the shipped German and Chinese files; German is language 0 and Chinese 1.
void AddShippedLanguages(ProgramUnderTest& program) {
    program.WriteFile(QStringLiteral("language/Deutsch.lug"), ShippedLanguageFile("Deutsch.lug"));
    program.WriteFile(QStringLiteral("language/\u7B80\u4F53\u4E2D\u6587.lug"),
                      ShippedLanguageFile("\u7B80\u4F53\u4E2D\u6587.lug"));
}

QString WithoutMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}

// What the File > Open dialog shows, read while it is open; the dialog is then cancelled.
struct OpenDialogSeen {
    QString title;
    QStringList filters;
    QString openButton;
    QString directory;
};

OpenDialogSeen SeeOpenDialog(ProgramUnderTest& program) {
    OpenDialogSeen seen;
    program.responder.onOtherDialog = [&seen](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            seen.title = files->windowTitle();
            seen.filters = files->nameFilters();
            seen.directory = files->directory().absolutePath();
            if (auto* buttons = files->findChild<QDialogButtonBox*>()) {
                if (QPushButton* open = buttons->button(QDialogButtonBox::Open)) {
                    seen.openButton = WithoutMnemonic(open->text());
                }
            }
        }
        dialog.reject();
    };
    EXPECT_TRUE(program.ChooseMenuCommand(kCmdFileOpen));
    program.responder.onOtherDialog = {};
    return seen;
}

struct LanguageCase {
    int index;
    const char* name;
    const char* openTitle;
    const char* csvFilter;
    const char* openButton;  // Qt's own text, from Qt's translations
    const char* caption;
};

class ChosenLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(ChosenLanguage, TheFileDialogAndTheMessagesSpeakIt) {
    ProgramUnderTest program(0);
    AddShippedLanguages(program);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage + GetParam().index));
    ASSERT_EQ(program.Frame().GetCurrentLanguage(), GetParam().index);

    const OpenDialogSeen seen = SeeOpenDialog(program);
    EXPECT_EQ(seen.title, QString::fromUtf8(GetParam().openTitle));
    ASSERT_EQ(seen.filters.size(), 2);
    EXPECT_EQ(seen.filters[0], QString::fromUtf8(GetParam().csvFilter));
    // Some platforms show a Chinese button's mnemonic as "(O)" behind the text, some drop it.
    EXPECT_TRUE(seen.openButton.startsWith(QString::fromUtf8(GetParam().openButton)))
        << seen.openButton.toStdString();

    // A file that cannot be read: the message box's caption is in the language too.
    program.responder.messages.clear();  // the start's "no hardware" note came before
    program.responder.messageCaptions.clear();
    ImportCsv(program.Device(0), program.ProgramDir() + QStringLiteral("/missing.csv"));
    ASSERT_EQ(program.responder.messageCaptions.size(), 1);
    EXPECT_EQ(program.responder.messageCaptions[0], QString::fromUtf8(GetParam().caption));
    EXPECT_FALSE(program.responder.messages[0].contains(QStringLiteral("Cannot read")));

    // The choice is in config.ini at once, before the program ends.
    EXPECT_EQ(ConfigValue(program, "Form", "Language"), std::to_string(GetParam().index));
    program.Quit();
}

INSTANTIATE_TEST_SUITE_P(
    ShippedLanguages, ChosenLanguage,
    ::testing::Values(LanguageCase{0, "German", "CSV-Datei öffnen", "Datendatei(*.csv)", "Öffnen",
                                   "Arbiträr-Funktionsgenerator"},
                      LanguageCase{1, "Chinese", "打开 CSV 文件", "数据文件(*.csv)", "打开",
                                   "任意函数发生器"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChosenLanguage, BackToEnglishTheFileDialogIsEnglishAgain) {
    ProgramUnderTest program(0);
    AddShippedLanguages(program);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdLanguageDefault));
    const OpenDialogSeen seen = SeeOpenDialog(program);
    EXPECT_EQ(seen.title, QStringLiteral("Open CSV file"));
    EXPECT_EQ(seen.filters, (QStringList{"Data File(*.csv)", "All Files(*.*)"}));
    EXPECT_EQ(seen.openButton, QStringLiteral("Open"));
    EXPECT_EQ(ConfigValue(program, "Form", "Language"), "-1");
    program.Quit();
}

// A short message makes a narrow box: it is widened so that its caption shows whole.
TEST(MessageCaption, TheBoxIsAsWideAsItsCaption) {
    int boxWidth = 0;
    int captionWidth = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        boxWidth = box->width();
        captionWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
        box->accept();
    });
    ShowMessageBox(nullptr, QStringLiteral("OK"));
    EXPECT_EQ(MessageBoxCaption(), QStringLiteral("Arbitrary Function Generator"));
    EXPECT_GT(captionWidth, 0);
    EXPECT_GE(boxWidth, captionWidth + 100);
}

// Fills in the Remote Control dialog and confirms it.
void SetRemote(ProgramUnderTest& program, bool on, int port) {
    bool seen = false;
    program.responder.onOtherDialog = [&](QDialog& dialog) {
        if (auto* remote = qobject_cast<RemoteDialog*>(&dialog)) {
            seen = true;
            if (remote->EnabledBox().isChecked() != on) {
                QTest::mouseClick(&remote->EnabledBox(), Qt::LeftButton);
            }
            remote->PortBox().selectAll();
            QTest::keyClicks(&remote->PortBox(), QString::number(port));
            remote->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        } else {
            dialog.reject();
        }
    };
    EXPECT_TRUE(program.ChooseMenuCommand(kCmdRemoteControl));
    program.responder.onOtherDialog = {};
    EXPECT_TRUE(seen);
}

TEST(RemoteFromTheWindow, SwitchedOnItAnswersAndTheStatusBarSaysSo) {
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Frame().PaneText(StatusPanes::kRemotePane), QString());
    const int port = scpi::testing::FreeLoopbackPort();
    SetRemote(program, true, port);

    EXPECT_EQ(program.Frame().PaneText(StatusPanes::kRemotePane),
              QStringLiteral("Remote: port %1").arg(port));
    scpi::testing::Client client(port);
    ASSERT_TRUE(client.Connected());
    EXPECT_TRUE(
        QString::fromStdString(client.Query("*IDN?")).contains(QStringLiteral("KorvaneAWG")));
    EXPECT_EQ(ConfigValue(program, "Remote", "Enabled"), "1");
    EXPECT_EQ(ConfigValue(program, "Remote", "Port"), std::to_string(port));

    // Off again: the server no longer listens and the pane is gone.
    SetRemote(program, false, port);
    EXPECT_FALSE(program.Frame().Remote().Serving());
    EXPECT_EQ(program.Frame().PaneText(StatusPanes::kRemotePane), QString());
    EXPECT_FALSE(scpi::testing::Client(port).Connected());
    EXPECT_EQ(ConfigValue(program, "Remote", "Enabled"), "0");
    program.Quit();
}

TEST(RemoteFromTheWindow, APortInUseIsToldInTheStatusBar) {
    // Another program already listens on the port.
    scpi::Instrument otherInstrument("other");
    scpi::Server other(otherInstrument,
                       scpi::Server::Options{"127.0.0.1", 0, scpi::Server::kDefaultIdleTimeout});
    ASSERT_EQ(other.Start(), "");
    const int port = other.Port();
    ProgramUnderTest program(1);
    ASSERT_TRUE(program.Start());
    SetRemote(program, true, port);
    EXPECT_FALSE(program.Frame().Remote().Serving());
    EXPECT_EQ(program.Frame().PaneText(StatusPanes::kRemotePane),
              QStringLiteral("Remote: port %1 is in use").arg(port));
    program.Quit();
}

TEST(RemoteFromTheWindow, TheStatusTextFollowsTheLanguage) {
    const int port = scpi::testing::FreeLoopbackPort();
    ProgramUnderTest program(1);
    AddShippedLanguages(program);
    program.WriteFile(QStringLiteral("config.ini"), QByteArray("[Remote]\r\nEnabled=1\r\nPort=") +
                                                        QByteArray::number(port) + "\r\n");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
    program.Frame().TimerTick();
    EXPECT_EQ(program.Frame().PaneText(StatusPanes::kRemotePane),
              QStringLiteral("Fernsteuerung: Port %1").arg(port));
    program.Quit();
}

TEST(Remembered, TheFolderOfEachFileDialogAndTheWindowComeBackAfterARestart) {
    QTemporaryDir waves;
    const QString wave = waves.filePath(QStringLiteral("wave.csv"));
    {
        QFile file(wave);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#CLOCK=1000000.000000\r\n#SIZE=2\r\n1.0,0,0\r\n-1.0,0,0\r\n");
    }
    QByteArray config;
    {
        ProgramUnderTest program(1);
        AddShippedLanguages(program);
        ASSERT_TRUE(program.Start());
        ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage));
        program.responder.onOtherDialog = [&](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(wave);
                static_cast<QDialog*>(files)->accept();
            }
        };
        ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileOpen));
        program.responder.onOtherDialog = {};
        ASSERT_EQ(program.Device(0).m_strFileName, QStringLiteral("wave.csv"));
        // The save dialog keeps its own folder: none chosen yet.
        EXPECT_EQ(ConfigValue(program, "Remembered", "SaveCsvFolder"), IniFile::kMissingValue);
        EXPECT_EQ(SeeOpenDialog(program).directory, QDir(waves.path()).absolutePath());

        program.Frame().resize(1000, 700);
        program.Quit();
        config = ReadConfig(program).toUtf8();
    }
    ASSERT_TRUE(config.contains("OpenCsvFolder=")) << config.toStdString();
    ASSERT_TRUE(config.contains("WindowGeometry=")) << config.toStdString();

    ProgramUnderTest restarted(1);
    AddShippedLanguages(restarted);
    restarted.WriteFile(QStringLiteral("config.ini"), config);
    ASSERT_TRUE(restarted.Start());
    EXPECT_EQ(restarted.Frame().GetCurrentLanguage(), 0);
    EXPECT_EQ(restarted.Frame().size(), QSize(1000, 700));
    EXPECT_EQ(SeeOpenDialog(restarted).directory, QDir(waves.path()).absolutePath());
    restarted.Quit();
}

TEST(Remembered, ThePrintDialogOffersThePdfFileOfTheLastRunAndKeepsTheNewOne) {
    ProgramUnderTest program(1);
    const QString last = program.ProgramDir() + QStringLiteral("/last.pdf");
    const QString next = program.ProgramDir() + QStringLiteral("/next.pdf");
    program.WriteFile(QStringLiteral("config.ini"),
                      "[Remembered]\r\nPrintPdfFile=" + last.toUtf8() + "\r\n");
    ASSERT_TRUE(program.Start());
    QString offered;
    program.responder.onOtherDialog = [&](QDialog& dialog) {
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
            offered = print->printer()->outputFileName();
            if (auto* name = print->findChild<QLineEdit*>(QStringLiteral("filename"))) {
                name->setText(next);
            }
            print->accept();
        } else {
            dialog.reject();
        }
    };
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdFilePrint));
    program.responder.onOtherDialog = {};
    EXPECT_EQ(offered, last);
    EXPECT_TRUE(QFile::exists(next));
    EXPECT_EQ(ConfigValue(program, "Remembered", "PrintPdfFile"), next.toStdString());
    program.Quit();
}

}  // namespace
}  // namespace korvane
