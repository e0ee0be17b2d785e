#pragma once

#include <QDialog>

#include "engine/wave_equation.h"
#include "formats/waveform_data.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace korvane {

class WavePreview;

// Makes a point table from an expression in t, i and n, showing it while the user types. An
// expression that fails shows where, under a copy of it with a caret; values beyond the ±3.5 V
// the device can put out are shown clipped and counted. OK takes the table only while the
// expression gives one.
class EquationDialog : public QDialog {
    Q_OBJECT
  public:
    // Starts with `pointCount` points, played at `frequency`.
    EquationDialog(int pointCount, double frequency, QWidget* parent = nullptr);

    WaveformData Waveform() const;

    // ---- parts, for the program's tests ----------------------------------------------------
    QLineEdit& Expression() const { return *expression_; }
    QSpinBox& PointCount() const { return *points_; }
    // The failing expression with its caret, and the reason; empty while it gives a table.
    QLabel& ErrorText() const { return *error_; }
    QLabel& Status() const { return *status_; }
    WavePreview& Preview() const { return *preview_; }
    QPushButton& OkButton() const { return *ok_; }

  private:
    void Evaluate();
    void ShowError(const QString& expression, const EquationError& error);

    double frequency_;
    WaveEquation equation_;
    FittedWave table_;
    QLineEdit* expression_;
    QSpinBox* points_;
    QLabel* error_;
    QLabel* status_;
    WavePreview* preview_;
    QPushButton* ok_;
};

}  // namespace korvane
