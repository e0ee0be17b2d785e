#pragma once

#include <QDialog>
#include <optional>

#include "engine/synthesis.h"
#include "engine/wave_harmonics.h"

class QLabel;
class QTableWidget;

namespace korvane {

class SpectrumBars;

// The harmonics of the wave a device window's generator gets: bars in dBc relative to the
// fundamental above the quantisation floor, THD, and a table of every harmonic. It follows the
// window's channel; the spectrum is worked out again only when the wave's parameters change.
class SpectrumView : public QDialog {
    Q_OBJECT
  public:
    explicit SpectrumView(QWidget* parent = nullptr);
    ~SpectrumView() override;

    // Shows the spectrum of the buffer built from `params`, unless it is the one shown.
    void Follow(const WaveParams& params);
    // Takes the current language's texts; the spectrum is shown again in them.
    void Translate();

    // ---- parts, for the program's tests ----------------------------------------------------
    QLabel& Summary() const { return *summary_; }
    QTableWidget& Table() const { return *table_; }
    int Computations() const { return computations_; }

  private:
    void Show(const WaveSpectrum& spectrum);
    void ShowNone(const QString& why);

    std::optional<WaveParams> shown_;
    SpectrumAnalyser analyser_;
    SpectrumBars* bars_;
    QLabel* summary_;
    QTableWidget* table_;
    int computations_ = 0;
};

}  // namespace korvane
