#include "view/dialogs/wave_parameter_dialogs.h"

#include "engine/wave_type.h"
#include "view/dialogs/am_fm_dialog.h"
#include "view/dialogs/duty_dialog.h"
#include "view/dialogs/exponent_dialog.h"
#include "view/dialogs/trapezia_dialog.h"
#include "view/dialogs/wave_number_dialog.h"

namespace korvane {

std::unique_ptr<QDialog> MakeWaveParameterDialog(ChannelState& channel, int waveType,
                                                 QWidget* parent) {
    switch (waveType) {
        case Ramp:
            return std::make_unique<DutyDialog>(channel, DutyDialog::kRamp, parent);
        case Square:
            return std::make_unique<DutyDialog>(channel, DutyDialog::kSquare, parent);
        case Exponent:
            return std::make_unique<ExponentDialog>(channel, parent);
        case Trapezia:
            return std::make_unique<TrapeziaDialog>(channel, parent);
        case AmFm:
            return std::make_unique<AmFmDialog>(channel, parent);
        default:
            return nullptr;
    }
}

void RunWaveParameterDialog(ChannelState& channel, int waveType, QWidget* parent) {
    if (std::unique_ptr<QDialog> dialog = MakeWaveParameterDialog(channel, waveType, parent)) {
        dialog->exec();
    }
}

std::optional<int> RunWaveNumberDialog(int waveNumber, QWidget* parent) {
    WaveNumberDialog dialog(waveNumber, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Value();
}

}  // namespace korvane
