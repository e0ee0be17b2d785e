#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace korvane {

class ChannelState;

// The AM/FM dialog: carrier frequency, depth, FM mode and maximum frequency offset, applied
// together by OK (which then closes) or Refresh (which stays open).
class AmFmDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AmFmDialog(ChannelState& channel, QWidget* parent = nullptr);

    QLineEdit& CarrierField() const { return *carrier_; }
    QLineEdit& DepthField() const { return *depth_; }
    QCheckBox& FmBox() const { return *fm_; }
    QLineEdit& DeviationField() const { return *deviation_; }

    // Reads the controls into the channel in field order, stopping with a message at the first
    // that does not hold a number; what was read before it is applied. Downloads.
    void Apply();

  private:
    // False when a field stopped the exchange.
    bool ExchangeControls();

    ChannelState& channel_;
    QLineEdit* carrier_;
    QLineEdit* depth_;
    QCheckBox* fm_;
    QLineEdit* deviation_;
};

}  // namespace korvane
