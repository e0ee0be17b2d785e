#pragma once

#include <memory>
#include <optional>

class QDialog;
class QWidget;

namespace korvane {

class ChannelState;

// The parameter dialog of a wave type (Ramp, Square, Exponent, Trapezia, AM/FM); null for the
// types that have none.
std::unique_ptr<QDialog> MakeWaveParameterDialog(ChannelState& channel, int waveType,
                                                 QWidget* parent);
// Runs that dialog modally; the changes it makes stay however it closes.
void RunWaveParameterDialog(ChannelState& channel, int waveType, QWidget* parent);
// Runs the Wave Number dialog; the number entered when closed with OK.
std::optional<int> RunWaveNumberDialog(int waveNumber, QWidget* parent);

}  // namespace korvane
