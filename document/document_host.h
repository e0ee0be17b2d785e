#pragma once

#include <QString>

class QWidget;

namespace korvane {

class CMultiTesselDoc;
class LanguageTable;

// What the main frame offers the documents, their views and their dialogs.
class DocumentHost {
  public:
    virtual ~DocumentHost() = default;

    virtual const LanguageTable& Language() const = 0;
    // Retitles the widgets with a control id that belong to `window` (not those of a nested
    // window) in the current language.
    virtual void TranslateWindow(QWidget& window) const = 0;
    virtual QString ProgramDirectory() const = 0;
    // Where "Default.set" is read from and written to.
    virtual QString DefaultSettingsPath() const = 0;

    // Drops the document numbered `index` from the device list and redraws the tabs.
    virtual void RemoveDevice(int index) = 0;
    // Closes the device of the selected tab.
    virtual void CloseSelectedDevice() = 0;
};

}  // namespace korvane
