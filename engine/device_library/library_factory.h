#pragma once

#include <memory>

#include "engine/device_library/device_library.h"

namespace korvane {

// The library the program talks to, chosen by the environment:
//   KVDDS_LIBRARY            a driver shared object to load (otherwise the simulator)
//   KVDDS_SIMULATED_DEVICES  how many generators the simulator offers (default 1; 0: none)
//   KVDDS_TRACE              a file that receives one line per library call
// A driver that cannot be loaded is reported once on stderr; the program then has no hardware.
std::unique_ptr<DeviceLibrary> CreateDeviceLibraryFromEnvironment();

}  // namespace korvane
