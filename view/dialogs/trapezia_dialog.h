#pragma once

#include <QDialog>
#include <array>

namespace korvane {

class ChannelState;
class CNumEdit;

// The Trapezia dialog: rise, high and fall duties, applied live and never adding up to more than
// one period.
class TrapeziaDialog : public QDialog {
    Q_OBJECT
  public:
    enum Part { kRise, kHigh, kFall };

    explicit TrapeziaDialog(ChannelState& channel, QWidget* parent = nullptr);

    CNumEdit& Field(Part part) const { return *fields_[part]; }

  private:
    void OnFieldChanged(Part part);

    ChannelState& channel_;
    std::array<CNumEdit*, 3> fields_{};
};

}  // namespace korvane
