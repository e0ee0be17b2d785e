#include "view/arbitrary_commands.h"

#include <QFileDialog>
#include <QFileInfo>

#include "document/arbitrary_table.h"
#include "document/device_view.h"
#include "document/document_context.h"
#include "document/multi_tessel_doc.h"
#include "document/remembered_values.h"
#include "document/user_message.h"
#include "engine/channel_state.h"
#include "view/dialogs/equation_dialog.h"
#include "view/dialogs/import_dialog.h"

namespace korvane {

namespace {

ImportFileChooser& CurrentChooser() {
    static ImportFileChooser chooser = ChooseImportFileWithDialog;
    return chooser;
}

RememberedValues* Remembered() {
    const DocumentContext* context = CMultiTesselDoc::Context();
    return context != nullptr ? context->remembered : nullptr;
}

}  // namespace

QString ChooseImportFileWithDialog(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setWindowTitle(LanguageTextOr(2117, "Import wave file"));
    dialog.setNameFilters(
        {LanguageTextOr(2118, "Wave Files(*.txt *.csv *.dat *.wav *.flac *.ogg *.aif *.aiff)"),
         LanguageTextOr(2075, "All Files(*.*)")});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    RememberedValues* remembered = Remembered();
    const QString key = QString::fromLatin1(kImportFolderKey);
    if (remembered != nullptr && QFileInfo(remembered->Value(key)).isDir()) {
        dialog.setDirectory(remembered->Value(key));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString chosen = dialog.selectedFiles().front();
    if (remembered != nullptr) {
        remembered->SetValue(key, QFileInfo(chosen).absolutePath());
    }
    return chosen;
}

ScopedImportFileChooser::ScopedImportFileChooser(ImportFileChooser chooser)
    : previous_(std::move(CurrentChooser())) {
    CurrentChooser() = std::move(chooser);
}

ScopedImportFileChooser::~ScopedImportFileChooser() {
    CurrentChooser() = std::move(previous_);
}

void ImportWaveFromMenu(CMultiTesselDoc& document) {
    const QString path = CurrentChooser()(document.View());
    if (!path.isEmpty()) {
        ImportWaveWithPreview(document, path);
    }
}

void ImportWaveWithPreview(CMultiTesselDoc& document, const QString& path) {
    if (!document.m_pState) {
        return;
    }
    ImportDialog dialog(path, document.m_pState->frequency.load(), document.View());
    if (!dialog.Loaded()) {
        ShowUserMessage(document.View(), QString::fromStdString(dialog.Error().Text()));
        return;
    }
    if (dialog.exec() == QDialog::Accepted) {
        ApplyArbitraryTable(document, dialog.Waveform());
    }
}

void EditEquation(CMultiTesselDoc& document) {
    if (!document.m_pState) {
        return;
    }
    const ChannelState& channel = *document.m_pState;
    EquationDialog dialog(channel.arbPointCount, channel.frequency.load(), document.View());
    if (dialog.exec() == QDialog::Accepted) {
        ApplyArbitraryTable(document, dialog.Waveform());
    }
}

}  // namespace korvane
