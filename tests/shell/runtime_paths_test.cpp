#include "shell/runtime_paths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace korvane {
namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(RuntimePaths, AWritableProgramFolderHoldsTheProgramsFiles) {
    QTemporaryDir program;
    QTemporaryDir user;
    Touch(user.filePath(QStringLiteral("config.ini")));  // a stale per-user copy is not used
    const RuntimePaths paths(program.path(), user.path());
    EXPECT_EQ(paths.WritePath(QStringLiteral("config.ini")), program.filePath("config.ini"));
    EXPECT_EQ(paths.ReadPath(QStringLiteral("config.ini")), program.filePath("config.ini"));
    EXPECT_EQ(paths.PicturePath(), program.filePath("pic.bmp"));
}

TEST(RuntimePaths, AProgramFolderThatCannotBeWrittenSendsTheFilesToTheUserFolder) {
    QTemporaryDir user;
    const QString program = user.filePath(QStringLiteral("no-such-folder"));
    const QString userFolder = user.filePath(QStringLiteral("settings"));
    const RuntimePaths paths(program, userFolder);
    // Nothing written yet: reading falls back to the program folder's copy.
    EXPECT_EQ(paths.ReadPath(QStringLiteral("Default.set")),
              program + QStringLiteral("/Default.set"));
    const QString written = paths.WritePath(QStringLiteral("Default.set"));
    EXPECT_EQ(written, userFolder + QStringLiteral("/Default.set"));
    Touch(written);  // the folder was created for it
    EXPECT_EQ(paths.ReadPath(QStringLiteral("Default.set")), written);
}

}  // namespace
}  // namespace korvane
