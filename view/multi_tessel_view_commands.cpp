// The view's menu commands: print, copy, zoom, show/hide, points edit, import, equation, sweep,
// the digital I/O dialogs, the spectrum and the display colours.

#include "view/multi_tessel_view.h"

#include <QDialog>

#include "document/command_ids.h"
#include "engine/channel_state.h"
#include "view/arbitrary_commands.h"
#include "view/clipboard_copy.h"
#include "view/dialogs/digital_io_dialogs.h"
#include "view/dialogs/wave_parameter_commands.h"
#include "view/harmonics_view.h"
#include "view/report.h"
#include "view/sweep_dialog.h"
#include "view/wave_display.h"

namespace korvane {

void CMultiTesselView::RegisterCommands() {
    RegisterWaveParameterCommands(
        commands_, [this] { return Document().m_pState.get(); }, this);
    commands_.OnCommand(kCmdFilePrint, [this] { PrintWithDialog(*this); });
    commands_.OnCommand(kCmdFilePrintDirect, [this] { PrintDirect(*this); });
    commands_.OnCommand(kCmdFilePrintPreview, [this] { ShowPrintPreview(*this); });
    commands_.OnCommand(kCmdFilePrintSetup, [this] { ShowPrintSetup(this); });
    commands_.OnCommand(kCmdEditCopy, [this] { CopyDisplayToClipboard(*display_); });
    commands_.OnCommand(kCmdZoomIn, [this] { ZoomIn(); });
    commands_.OnCommand(kCmdZoomOut, [this] { ZoomOut(); });
    commands_.OnCommand(kCmdShowHideControl, [this] { ToggleControls(); });
    commands_.OnCommand(kCmdPointsEdit, [this] { EditPointsFromMenu(); });
    RegisterPointCommands();
    commands_.OnCommand(kCmdFileImport, [this] { ImportWaveFromMenu(Document()); });
    commands_.OnCommand(kCmdEquation, [this] { EditEquation(Document()); });
    commands_.OnCommand(kCmdSpectrum, [this] { ShowSpectrum(); });
    commands_.OnCommand(kCmdSweep, [this] { RunSweepDialog(Channel(), this); });
    commands_.OnCommand(kCmdOutputSet, [this] {
        ShowDigitalDialog(outputSet_, [this] { return new OutputSetDialog(Channel(), this); });
    });
    commands_.OnCommand(kCmdDigitalInput, [this] {
        ShowDigitalDialog(digitalInput_,
                          [this] { return new DigitalInputDialog(Channel(), this); });
    });
    commands_.OnCommand(kCmdBackgroundColor, [this] {
        ChooseDisplayColour(&WaveDisplay::BackgroundColor, &WaveDisplay::SetBackgroundColor);
    });
    commands_.OnCommand(kCmdXyLineColor, [this] {
        ChooseDisplayColour(&WaveDisplay::XyLineColor, &WaveDisplay::SetXyLineColor);
    });
    commands_.OnCommand(kCmdCurveColor, [this] {
        ChooseDisplayColour(&WaveDisplay::CurveColor, &WaveDisplay::SetCurveColor);
    });
    commands_.OnCommand(kCmdCursorColor, [this] {
        ChooseDisplayColour(&WaveDisplay::CursorColor, &WaveDisplay::SetCursorColor);
    });
}

void CMultiTesselView::ChooseDisplayColour(QColor (WaveDisplay::*get)() const,
                                           void (WaveDisplay::*set)(const QColor&)) {
    if (std::optional<QColor> colour = chooseColour_((display_->*get)())) {
        (display_->*set)(*colour);
        display_->Refresh();
    }
}

void CMultiTesselView::ShowDigitalDialog(QDialog*& dialog, const std::function<QDialog*()>& make) {
    if (dialog == nullptr) {
        dialog = make();
    }
    dialog->show();
    dialog->move(mapToGlobal(rect().center()) - dialog->rect().center());
    dialog->raise();
}

void CMultiTesselView::ShowSpectrum() {
    if (spectrum_ == nullptr) {
        spectrum_ = new SpectrumView(this);
    }
    spectrum_->Follow(Channel().Snapshot());
    spectrum_->show();
    spectrum_->raise();
}

}  // namespace korvane
