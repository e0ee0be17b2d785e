#include "document/csv_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <system_error>

#include "document/device_view.h"
#include "document/document_context.h"
#include "document/multi_tessel_doc.h"
#include "document/point_edits.h"
#include "document/remembered_values.h"
#include "document/user_message.h"
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "formats/csv_file.h"
#include "formats/message_texts.h"
#include "i18n/language_table.h"

namespace korvane {

namespace {

CsvFileChooser& CurrentChooser() {
    static CsvFileChooser chooser = ChooseCsvFileWithDialog;
    return chooser;
}

const LanguageTable& CurrentLanguage() {
    static const LanguageTable noLanguage;
    const DocumentContext* context = CMultiTesselDoc::Context();
    return context != nullptr && context->language != nullptr ? *context->language : noLanguage;
}

std::filesystem::path FilePath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// Why `path` cannot be written, checked before anything in the window changes; empty when it
// can be.
std::error_code WriteProblem(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir()) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) {
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    if (!folder.isWritable() || (file.exists() && !file.isWritable())) {
        return std::make_error_code(std::errc::permission_denied);
    }
    return {};
}

constexpr int kOpenTitleKey = 2072;
constexpr int kSaveTitleKey = 2073;
constexpr int kCsvFilterKey = 2074;
constexpr int kAllFilesFilterKey = 2075;
constexpr int kCannotSaveKey = 2076;

RememberedValues* Remembered() {
    const DocumentContext* context = CMultiTesselDoc::Context();
    return context != nullptr ? context->remembered : nullptr;
}

std::string CannotSaveFormat() {
    return LanguageTextOr(kCannotSaveKey, kCsvFileError).toStdString();
}

const char* FolderKey(CsvFileDialog kind) {
    return kind == CsvFileDialog::kOpen ? kOpenCsvFolderKey : kSaveCsvFolderKey;
}

void RememberCsvFolder(CsvFileDialog kind, const QString& chosenPath) {
    if (RememberedValues* remembered = Remembered()) {
        remembered->SetValue(QString::fromLatin1(FolderKey(kind)),
                             QFileInfo(chosenPath).absolutePath());
    }
}

void ShowFileMessage(CMultiTesselDoc& document, const std::string& message) {
    if (!message.empty()) {
        ShowUserMessage(document.View(), QString::fromStdString(message));
    }
}

}  // namespace

void SetUpCsvFileDialog(QFileDialog& dialog, CsvFileDialog kind) {
    const bool open = kind == CsvFileDialog::kOpen;
    dialog.setWindowTitle(open ? LanguageTextOr(kOpenTitleKey, "Open CSV file")
                               : LanguageTextOr(kSaveTitleKey, "Save CSV file"));
    dialog.setNameFilters({LanguageTextOr(kCsvFilterKey, "Data File(*.csv)"),
                           LanguageTextOr(kAllFilesFilterKey, "All Files(*.*)")});
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDefaultSuffix(open ? QString() : QStringLiteral("csv"));
    if (const RememberedValues* remembered = Remembered()) {
        const QString folder = remembered->Value(QString::fromLatin1(FolderKey(kind)));
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            dialog.setDirectory(folder);
        }
    }
}

QString ChooseCsvFileWithDialog(QWidget* parent, CsvFileDialog kind) {
    QFileDialog dialog(parent);
    SetUpCsvFileDialog(dialog, kind);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    RememberCsvFolder(kind, dialog.selectedFiles().front());
    return dialog.selectedFiles().front();
}

ScopedCsvFileChooser::ScopedCsvFileChooser(CsvFileChooser chooser)
    : previous_(std::move(CurrentChooser())) {
    CurrentChooser() = std::move(chooser);
}

ScopedCsvFileChooser::~ScopedCsvFileChooser() {
    CurrentChooser() = std::move(previous_);
}

QString WithCsvExtension(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".csv") : path;
}

void OnFileOpen(CMultiTesselDoc& document) {
    const QString path = CurrentChooser()(document.View(), CsvFileDialog::kOpen);
    if (!path.isEmpty()) {
        ImportCsv(document, path);
    }
}

void OnFileSave(CMultiTesselDoc& document) {
    if (document.m_strFileName != QString::fromLatin1(kNoCsvFileName) &&
        !document.m_strCsvPath.isEmpty()) {
        ExportCsv(document, document.m_strCsvPath);
    } else {
        OnFileSaveAs(document);
    }
}

void OnFileSaveAs(CMultiTesselDoc& document) {
    const QString path = CurrentChooser()(document.View(), CsvFileDialog::kSave);
    if (!path.isEmpty()) {
        ExportCsv(document, WithCsvExtension(path));
    }
}

void SaveCsv(CMultiTesselDoc& document, bool newName) {
    if (newName) {
        OnFileSaveAs(document);
    } else {
        OnFileSave(document);
    }
}

void ImportCsv(CMultiTesselDoc& document, const QString& path) {
    ChannelState* channel = document.m_pState.get();
    if (channel == nullptr) {
        return;
    }
    PointTable before = ReadPointTable(*channel);
    const FileResult result = korvane::ImportCsv(*channel, FilePath(path), CurrentLanguage());
    if (!result.ok) {
        ShowFileMessage(document, result.message);
        return;
    }
    RecordPointChange(document, std::move(before));
    document.m_strCsvPath = path;
    document.m_strFileName = QFileInfo(path).fileName();
    // The file's table is handed over as it is; the panel shows the new wave type and frequency
    // at its next refresh, as it does for any change made outside it.
    ChangeWaveType(*channel, Arbitrary, ArbitraryTable::Keep);
    channel->RequestDownload();
}

void ExportCsv(CMultiTesselDoc& document, const QString& path) {
    ChannelState* channel = document.m_pState.get();
    if (channel == nullptr) {
        return;
    }
    if (const std::error_code problem = WriteProblem(path)) {
        ShowFileMessage(document, CannotSaveText(CannotSaveFormat().c_str(), problem));
        return;
    }
    if (channel->waveType != Arbitrary) {
        // The file holds the wave as points: the channel plays those points from now on.
        PointTable before = ReadPointTable(*channel);
        ChangeWaveType(*channel, Arbitrary, ArbitraryTable::FromCurrentWave);
        RecordPointChange(document, std::move(before));
        document.m_strFileName = QString::fromLatin1(kNoCsvFileName);
    }
    const FileResult result =
        korvane::ExportCsv(*channel, FilePath(path), CannotSaveFormat().c_str());
    if (!result.ok) {
        ShowFileMessage(document, result.message);
        return;
    }
    document.m_strCsvPath = path;
    document.m_strFileName = QFileInfo(path).fileName();
}

}  // namespace korvane
