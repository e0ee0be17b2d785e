#pragma once

#include <QString>
#include <functional>

class QFileDialog;
class QWidget;

namespace korvane {

class CMultiTesselDoc;

// The document's CSV commands: open a waveform file into the device window, save the waveform
// to its file, save it under a new name. Failures and refusals are shown in a message box and
// leave the document and its channel as they were.

enum class CsvFileDialog { kOpen, kSave };
// Asks the user for a file; an empty result means cancelled.
using CsvFileChooser = std::function<QString(QWidget* parent, CsvFileDialog kind)>;

// The file dialogs: "Data File(*.csv)" and "All Files(*.*)", titles "Open CSV file" and
// "Save CSV file", in the current language; saving asks before overwriting and gives a name
// without extension ".csv". Each dialog opens in the folder last chosen in it.
void SetUpCsvFileDialog(QFileDialog& dialog, CsvFileDialog kind);
QString ChooseCsvFileWithDialog(QWidget* parent, CsvFileDialog kind);

// Replaces the file chooser while it lives (tests supply names without a modal dialog).
class ScopedCsvFileChooser {
  public:
    explicit ScopedCsvFileChooser(CsvFileChooser chooser);
    ~ScopedCsvFileChooser();
    ScopedCsvFileChooser(const ScopedCsvFileChooser&) = delete;
    ScopedCsvFileChooser& operator=(const ScopedCsvFileChooser&) = delete;

  private:
    CsvFileChooser previous_;
};

// A chosen save name without extension gets ".csv".
QString WithCsvExtension(const QString& path);

void OnFileOpen(CMultiTesselDoc& document);
// Writes to the waveform's file, or asks for one as Save As while it has none.
void OnFileSave(CMultiTesselDoc& document);
void OnFileSaveAs(CMultiTesselDoc& document);
// The tab bar's entry: Save As when `newName`, else Save.
void SaveCsv(CMultiTesselDoc& document, bool newName);

// Loads `path` into the channel as arbitrary points, shows its frequency and downloads it.
void ImportCsv(CMultiTesselDoc& document, const QString& path);
// Writes the waveform to `path`; a standard wave is turned into arbitrary points first.
void ExportCsv(CMultiTesselDoc& document, const QString& path);

}  // namespace korvane
