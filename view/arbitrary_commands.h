#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace korvane {

class CMultiTesselDoc;

// The window's ways of making a new point table: importing a text or sound file through its
// preview, and an equation. What the user accepts is applied with ApplyArbitraryTable; a file
// that cannot be read is reported in a message naming the file, the line and the reason.

// Asks the user for a file to import; an empty result means cancelled.
using ImportFileChooser = std::function<QString(QWidget* parent)>;
QString ChooseImportFileWithDialog(QWidget* parent);

// Replaces the file chooser while it lives (tests supply names without a modal dialog).
class ScopedImportFileChooser {
  public:
    explicit ScopedImportFileChooser(ImportFileChooser chooser);
    ~ScopedImportFileChooser();
    ScopedImportFileChooser(const ScopedImportFileChooser&) = delete;
    ScopedImportFileChooser& operator=(const ScopedImportFileChooser&) = delete;

  private:
    ImportFileChooser previous_;
};

// File > Import...: a file, then its preview.
void ImportWaveFromMenu(CMultiTesselDoc& document);
// The preview of `path`; OK applies the table to the document's channel.
void ImportWaveWithPreview(CMultiTesselDoc& document, const QString& path);
// Edit > Equation...: OK applies the table to the document's channel.
void EditEquation(CMultiTesselDoc& document);

}  // namespace korvane
