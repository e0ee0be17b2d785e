#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "engine/device_library/library_factory.h"
#include "shell/multi_tessel_app.h"
#include "shell/runtime_paths.h"
#include "shell/sound_card_config.h"

namespace {

void SetIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("KorvaneAWG"));
    QCoreApplication::setOrganizationName(QStringLiteral("KorvaneAWG"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));
}

// Answers --help and --version and exits; any other command line starts the program, which
// ignores it. Runs without a display, before the GUI application exists.
void AnswerInformationOptions(int argc, char** argv) {
    QCoreApplication information(argc, argv);
    SetIdentity();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Controls USB arbitrary-waveform generators built on direct digital synthesis; without\n"
        "hardware it runs against a built-in simulator. Any other argument is ignored.\n\n"
        "Environment: KVDDS_SIMULATED_DEVICES (simulated generators, default 1),\n"
        "KVDDS_LIBRARY (driver shared object), KVDDS_AUDIO (ALSA PCM played as two generators,\n"
        "in place of the sound card chosen in the program), KVDDS_TRACE (file receiving every\n"
        "device call)."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(help)) {
        parser.showHelp();
    }
    if (parser.isSet(version)) {
        parser.showVersion();
    }
}

}  // namespace

int main(int argc, char** argv) {
    AnswerInformationOptions(argc, argv);
    QApplication application(argc, argv);
    SetIdentity();

    const QString programDir = QCoreApplication::applicationDirPath();
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    korvane::CMultiTesselApp program(
        {programDir,
         userDir,
         QDir::tempPath(),
         korvane::CreateDeviceLibraryFromEnvironment(
             korvane::ConfiguredSoundCard(korvane::RuntimePaths(programDir, userDir))),
         {}});
    if (!program.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
