#pragma once

#include <QString>

namespace korvane {

// Values the program keeps from one run to the next for the user's convenience: the last folder
// of each file dialog, the last PDF file printed to. The shell stores them in config.ini as soon
// as they change.
class RememberedValues {
  public:
    virtual ~RememberedValues() = default;
    // The stored value of `key`; empty when none is stored.
    virtual QString Value(const QString& key) const = 0;
    virtual void SetValue(const QString& key, const QString& value) = 0;
};

// The keys of the values remembered by the document and the view.
inline constexpr char kOpenCsvFolderKey[] = "OpenCsvFolder";
inline constexpr char kSaveCsvFolderKey[] = "SaveCsvFolder";
inline constexpr char kImportFolderKey[] = "ImportFolder";
inline constexpr char kPrintPdfFileKey[] = "PrintPdfFile";

}  // namespace korvane
