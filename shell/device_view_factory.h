#pragma once

#include <functional>

class QWidget;

namespace korvane {

class CMultiTesselDoc;
class DeviceView;

// Makes the form of a new device window; the program uses the front panel, tests may use another.
using DeviceViewFactory = std::function<DeviceView*(CMultiTesselDoc& document, QWidget* parent)>;

DeviceViewFactory DefaultDeviceViewFactory();

}  // namespace korvane
