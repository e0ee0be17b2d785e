#include "shell/runtime_paths.h"

#include <unistd.h>
#include <QDir>
#include <QFileInfo>

namespace korvane {

namespace {

// An installed copy keeps its run-time files in <prefix>/share/korvaneawg beside <prefix>/bin.
QString RunTimeFilesFolder(const QString& executableFolder) {
    const QDir beside(executableFolder);
    if (beside.exists(QStringLiteral("language")) || beside.exists(QStringLiteral("pic.bmp"))) {
        return executableFolder;
    }
    const QString shared =
        QDir::cleanPath(executableFolder + QStringLiteral("/../share/korvaneawg"));
    return QFileInfo(shared).isDir() ? shared : executableFolder;
}

}  // namespace

RuntimePaths::RuntimePaths(QString programDirectory, QString userFolder)
    : programDirectory_(RunTimeFilesFolder(programDirectory)), userFolder_(std::move(userFolder)) {}

bool RuntimePaths::ProgramFolderWritable() const {
    return ::access(QFile::encodeName(programDirectory_).constData(), W_OK) == 0;
}

QString RuntimePaths::ReadPath(const QString& name) const {
    if (!ProgramFolderWritable()) {
        const QString user = userFolder_ + QLatin1Char('/') + name;
        if (QFileInfo::exists(user)) {
            return user;
        }
    }
    return programDirectory_ + QLatin1Char('/') + name;
}

QString RuntimePaths::WritePath(const QString& name) const {
    if (ProgramFolderWritable() || userFolder_.isEmpty()) {
        return programDirectory_ + QLatin1Char('/') + name;
    }
    QDir().mkpath(userFolder_);
    return userFolder_ + QLatin1Char('/') + name;
}

}  // namespace korvane
