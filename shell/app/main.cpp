#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "engine/device_library/library_factory.h"
#include "shell/multi_tessel_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorvaneAWG"));
    QApplication::setOrganizationName(QStringLiteral("KorvaneAWG"));

    korvane::CMultiTesselApp program(
        {QCoreApplication::applicationDirPath(),
         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
         QDir::tempPath(),
         korvane::CreateDeviceLibraryFromEnvironment(),
         {}});
    if (!program.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
