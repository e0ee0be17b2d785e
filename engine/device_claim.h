#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvane {

class ChannelState;

// Neither the claim nor the Device List ever offers more free devices than this.
inline constexpr int kMaxFreeDevices = 20;

// Device indices 0 .. deviceCount-1 that no open channel holds, ascending, at most 20.
std::vector<int> FreeDevices(int deviceCount, const std::vector<int>& takenIndices);

// What claiming a device needs from the user interface.
class DeviceChooser {
  public:
    virtual ~DeviceChooser() = default;
    // No free device is left: tell the user the channel works in demo mode.
    virtual void ReportNoHardware() = 0;
    // Several devices are free: the chosen index from `freeDevices`, or nothing when cancelled.
    virtual std::optional<int> ChooseDevice(const std::vector<int>& freeDevices) = 0;
};

struct DeviceClaim {
    int demo = 1;
    int deviceIndex = -1;
    int freeCount = 0;
};

// One free device is taken at once; several are offered to the user; none makes a demo channel.
DeviceClaim ClaimDevice(int deviceCount, const std::vector<int>& takenIndices,
                        DeviceChooser& chooser);

// Claims a device for `state` (sets `demo` and `deviceIndex`); returns the number of free devices.
int SelectDevice(ChannelState& state, int deviceCount, const std::vector<int>& takenIndices,
                 DeviceChooser& chooser);

// The automatic name of a new channel: "Device k" (or "Demo k" for a demo channel) with the
// smallest k from 1 to serial + 1 that no name in `namesInUse` matches ignoring case; the last
// candidate when all are in use. Names are UTF-8; the candidates are plain ASCII, so folding
// ASCII letters is enough to compare them.
std::string AutomaticDeviceName(bool demo, int serial, const std::vector<std::string>& namesInUse);

// Compares two UTF-8 names, ignoring the case of ASCII letters.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace korvane
