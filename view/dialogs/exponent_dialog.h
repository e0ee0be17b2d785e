#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace korvane {

class ChannelState;
class CNumEdit;

// The Exponent dialog: rising or falling curve and its time constant, shown in s or ms. Changes
// are applied live; Cancel keeps them.
class ExponentDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ExponentDialog(ChannelState& channel, QWidget* parent = nullptr);

    QCheckBox& RiseBox() const { return *rise_; }
    CNumEdit& Field() const { return *field_; }
    QComboBox& UnitBox() const { return *unit_; }

  private:
    void OnUnitChosen(int unit);
    void ShowTimeConstant();

    ChannelState& channel_;
    QCheckBox* rise_;
    CNumEdit* field_;
    QComboBox* unit_;
};

}  // namespace korvane
