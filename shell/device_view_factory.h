#pragma once

#include <functional>

class QWidget;

namespace korvane {

class CMultiTesselDoc;
class DeviceView;

// Makes the form of a new device window. The default is a plain panel naming the device until
// the front panel is plugged in here.
using DeviceViewFactory = std::function<DeviceView*(CMultiTesselDoc& document, QWidget* parent)>;

DeviceViewFactory DefaultDeviceViewFactory();

}  // namespace korvane
