#pragma once

#include <QString>

namespace korvane {

// Where the program's own files live. The files it writes ("config.ini", "Default.set") go beside
// the executable, or, when that folder cannot be written (an installed copy), into the per-user
// configuration folder, which is then also read first.
class RuntimePaths {
  public:
    // `userFolder` is the per-user configuration folder. When the executable's folder holds no
    // run-time files but ../share/korvaneawg beside it exists (an installed copy), that folder is
    // the program directory.
    RuntimePaths(QString programDirectory, QString userFolder);

    const QString& ProgramDirectory() const { return programDirectory_; }
    QString LanguageFolder() const { return programDirectory_ + QStringLiteral("/language"); }
    QString PicturePath() const { return programDirectory_ + QStringLiteral("/pic.bmp"); }

    // The file to read `name` from.
    QString ReadPath(const QString& name) const;
    // The file to write `name` to (its folder is created when needed).
    QString WritePath(const QString& name) const;

  private:
    bool ProgramFolderWritable() const;

    QString programDirectory_;
    QString userFolder_;
};

}  // namespace korvane
