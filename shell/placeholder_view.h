#pragma once

#include "document/device_view.h"

namespace korvane {

// A plain form that shows the device's name and connection on the program's dark field.
class PlaceholderView : public DeviceView {
    Q_OBJECT
  public:
    PlaceholderView(CMultiTesselDoc& document, QWidget* parent);
    void TimerTick() override { update(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace korvane
