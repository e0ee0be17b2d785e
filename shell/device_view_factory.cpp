#include "shell/device_view_factory.h"

#include "view/dialog_knob_maker.h"
#include "view/multi_tessel_view.h"

namespace korvane {

DeviceViewFactory DefaultDeviceViewFactory() {
    // The panel's parameter dialogs turn the same knob as the panel.
    UsePanelKnobInDialogs();
    return [](CMultiTesselDoc& document, QWidget* parent) -> DeviceView* {
        return new CMultiTesselView(document, parent);
    };
}

}  // namespace korvane
