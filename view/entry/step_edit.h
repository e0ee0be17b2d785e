#pragma once

#include <QLineEdit>
#include <functional>

#include "view/entry/step_entry.h"

namespace korvane {

// The entry field of one of the front panel's main values (frequency, amplitude, offset, phase):
// it keeps the value within the range of its kind (the StepEntry members), shows it in the
// selected unit, and a double click picks the digit whose weight one step adds.
class CStepEdit : public QLineEdit, public StepEntry {
    Q_OBJECT
  public:
    explicit CStepEdit(QWidget* parent = nullptr);

    // The frequency's upper limit follows the channel's wave type; without a source it is a sine's.
    void SetWaveTypeSource(std::function<int()> waveType) { waveType_ = std::move(waveType); }

    // Stores the value, kept within the range; the text is not redrawn.
    void SetValue(double value);
    // Writes the value into the field in the display unit.
    void ShowValue();
    // Adds direction whole steps, keeps the result within the range and shows it.
    void Step(int direction);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    int WaveType() const;
    // The character under a point of the field (the text's length past its end).
    int CharacterAt(QPoint point);

    std::function<int()> waveType_;
};

}  // namespace korvane
