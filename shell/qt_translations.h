#pragma once

#include <QString>
#include <memory>

class QTranslator;

namespace korvane {

// Qt's own texts (the buttons and labels of the file, print and colour dialogs, the standard
// buttons of message boxes) in the language the program shows. They come from Qt's translation
// files (qtbase_<locale>.qm in Qt's translations folder); a locale without a file leaves them
// in English.
class QtTranslations {
  public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Switches to `locale` ("de", "zh_CN"; empty or "en": Qt's English). Returns whether a
    // translation file was found and installed.
    bool Use(const QString& locale);

  private:
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace korvane
