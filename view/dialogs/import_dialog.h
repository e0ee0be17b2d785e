#pragma once

#include <QDialog>
#include <QString>

#include "engine/wave_resample.h"
#include "formats/wave_import.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace korvane {

class WavePreview;

// The preview of a wave imported from a text or sound file: what was detected in the file, the
// table fitted from it, and the choices of point count, column (or channel) and scale. The file
// is read when the dialog is made; Loaded() says whether it could be, Error() why not.
class ImportDialog : public QDialog {
    Q_OBJECT
  public:
    // `frequency` plays the table when the file gives no time column or sample rate.
    ImportDialog(const QString& path, double frequency, QWidget* parent = nullptr);

    bool Loaded() const { return loaded_; }
    const ImportError& Error() const { return error_; }
    // The fitted table with the sample rate that plays it as the file did.
    WaveformData Waveform() const;

    // ---- parts, for the program's tests ----------------------------------------------------
    QLabel& Detected() const { return *detected_; }
    QSpinBox& PointCount() const { return *points_; }
    QSpinBox& Column() const { return *column_; }
    QComboBox& Scale() const { return *scale_; }
    QDoubleSpinBox& Peak() const { return *peak_; }
    QDoubleSpinBox& FullScale() const { return *fullScale_; }
    QLabel& Status() const { return *status_; }
    WavePreview& Preview() const { return *preview_; }
    QPushButton& OkButton() const { return *ok_; }

  private:
    // Reads the file's column (or channel) `column`, 0 for the importer's choice. On failure the
    // reason is shown and the last table read stays.
    bool Read(int column);
    bool IsSound() const;
    void ShowDetection();
    // Fits the values read to the table with the dialog's choices and shows it.
    void Refit();

    QString path_;
    double frequency_;
    bool loaded_ = false;
    ImportedWave wave_;
    ImportError error_;
    FittedWave table_;
    QLabel* detected_;
    QSpinBox* points_;
    QSpinBox* column_;
    QComboBox* scale_;
    QDoubleSpinBox* peak_;
    QDoubleSpinBox* fullScale_;
    QLabel* status_;
    WavePreview* preview_;
    QPushButton* ok_;
};

}  // namespace korvane
