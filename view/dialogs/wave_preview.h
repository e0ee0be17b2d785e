#pragma once

#include <QWidget>
#include <span>
#include <vector>

#include "engine/wave_resample.h"

namespace korvane {

// "N of M points clipped to +/-3.5 V" in the current language, or empty when none was.
QString ClippedPointsText(const FittedWave& table);

// A small picture of one period of a point table on the ±3.5 V scale the device puts out, for
// the dialogs that make a table before it is applied. The limits are drawn as lines, so a table
// that was clipped shows where.
class WavePreview : public QWidget {
    Q_OBJECT
  public:
    explicit WavePreview(QWidget* parent = nullptr);

    void SetPoints(std::span<const float> points);
    const std::vector<float>& Points() const { return points_; }

    QSize sizeHint() const override { return {360, 160}; }
    QSize minimumSizeHint() const override { return {160, 80}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<float> points_;
};

}  // namespace korvane
