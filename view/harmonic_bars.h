#pragma once

#include <QWidget>
#include <vector>

namespace korvane {

// Bars of the first harmonics in dBc from the bottom of the scale up, with the quantisation floor
// as a dashed line across them.
class SpectrumBars : public QWidget {
    Q_OBJECT
  public:
    explicit SpectrumBars(QWidget* parent = nullptr);

    // `harmonicsDbc` from k = 1; an empty list clears the picture.
    void SetSpectrum(std::vector<double> harmonicsDbc, double floorDbc);

    QSize sizeHint() const override { return {520, 220}; }
    QSize minimumSizeHint() const override { return {200, 100}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<double> harmonicsDbc_;
    double floorDbc_ = 0.0;
};

}  // namespace korvane
