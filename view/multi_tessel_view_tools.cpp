// Undo and redo of the arbitrary point table and the tools that reshape it, each tool one undo
// step; the tools that need a number ask for it in a small dialog.

#include <QInputDialog>

#include "document/command_ids.h"
#include "document/point_edits.h"
#include "document/user_message.h"
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/point_tools.h"
#include "view/multi_tessel_view.h"
#include "view/wave_display.h"

namespace korvane {

namespace {

// Language keys of the tools' dialogs.
constexpr int kSmoothTitleKey = 2240;
constexpr int kSmoothLabelKey = 2241;
constexpr int kNormaliseTitleKey = 2242;
constexpr int kNormaliseLabelKey = 2243;
constexpr int kShiftTitleKey = 2244;
constexpr int kShiftLabelKey = 2245;

constexpr int kDefaultSmoothWidth = 5;

}  // namespace

void CMultiTesselView::RegisterPointCommands() {
    // Not in the middle of a stroke: the stroke is recorded as one step when it ends.
    const auto canStep = [this](bool (PointHistory::*can)() const) {
        return IsArbitrary() && !stroke_.Dragging() && (Document().m_pointHistory.*can)();
    };
    const auto step = [this, canStep](bool (PointHistory::*can)() const,
                                      bool (*restore)(CMultiTesselDoc&)) {
        if (canStep(can) && restore(Document())) {
            display_->Refresh();
        }
    };
    commands_.OnCommand(kCmdEditUndo, [step] { step(&PointHistory::CanUndo, UndoPointChange); });
    commands_.OnUpdate(kCmdEditUndo,
                       [canStep](CommandUi& ui) { ui.enabled = canStep(&PointHistory::CanUndo); });
    commands_.OnCommand(kCmdEditRedo, [step] { step(&PointHistory::CanRedo, RedoPointChange); });
    commands_.OnUpdate(kCmdEditRedo,
                       [canStep](CommandUi& ui) { ui.enabled = canStep(&PointHistory::CanRedo); });

    commands_.OnCommand(kCmdSmoothPoints, [this] {
        const int count = Channel().arbPointCount;
        if (std::optional<double> width =
                AskToolValue(kSmoothTitleKey, "Smooth", kSmoothLabelKey,
                             "Width in points (moving average):", kDefaultSmoothWidth, 1,
                             std::max(1, count), 0)) {
            RunPointTool(
                [&](const PointTable& p) { return SmoothPoints(p, static_cast<int>(*width)); });
        }
    });
    commands_.OnCommand(kCmdNormalisePoints, [this] {
        if (std::optional<double> peak =
                AskToolValue(kNormaliseTitleKey, "Normalise to Peak", kNormaliseLabelKey,
                             "Peak voltage (V):", kFullScaleVolts, 0.001, kFullScaleVolts, 3)) {
            RunPointTool([&](const PointTable& p) { return NormalisePoints(p, *peak); });
        }
    });
    commands_.OnCommand(kCmdInvertPoints, [this] { RunPointTool(InvertPoints); });
    commands_.OnCommand(kCmdReversePoints, [this] { RunPointTool(ReversePoints); });
    commands_.OnCommand(kCmdShiftPoints, [this] {
        const int count = Channel().arbPointCount;
        if (std::optional<double> by = AskToolValue(
                kShiftTitleKey, "Shift", kShiftLabelKey,
                "Points later in the period (negative: earlier):", 1, -count, count, 0)) {
            RunPointTool(
                [&](const PointTable& p) { return ShiftPoints(p, static_cast<int>(*by)); });
        }
    });
    for (const int id : {kCmdSmoothPoints, kCmdNormalisePoints, kCmdInvertPoints, kCmdReversePoints,
                         kCmdShiftPoints}) {
        commands_.OnUpdate(id, [this](CommandUi& ui) { ui.enabled = IsArbitrary(); });
    }
}

void CMultiTesselView::RunPointTool(const std::function<PointTable(const PointTable&)>& tool) {
    if (!IsArbitrary()) {
        return;
    }
    ApplyPointTable(Document(), tool(ReadPointTable(Channel())));
    display_->Refresh();
}

std::optional<double> CMultiTesselView::AskToolValue(int titleKey, const char* title, int labelKey,
                                                     const char* label, double value, double low,
                                                     double high, int decimals) {
    if (!IsArbitrary()) {
        return std::nullopt;
    }
    QInputDialog dialog(this);
    dialog.setWindowTitle(LanguageTextOr(titleKey, title));
    dialog.setLabelText(LanguageTextOr(labelKey, label));
    if (decimals == 0) {
        dialog.setInputMode(QInputDialog::IntInput);
        dialog.setIntRange(static_cast<int>(low), static_cast<int>(high));
        dialog.setIntValue(static_cast<int>(value));
    } else {
        dialog.setInputMode(QInputDialog::DoubleInput);
        dialog.setDoubleDecimals(decimals);
        dialog.setDoubleRange(low, high);
        dialog.setDoubleValue(value);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return decimals == 0 ? double(dialog.intValue()) : dialog.doubleValue();
}

}  // namespace korvane
