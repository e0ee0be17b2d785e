#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <vector>

namespace korvane {

class ChannelState;
class DeviceLibrary;

// The most devices the program drives at once (a worker each); a driver reporting more is used
// for its first ones only.
inline constexpr int kMaxDevices = 64;

// The library's DDSSearch, limited to 0 .. kMaxDevices; a larger count is named in one line on
// `warnings`.
int SearchDevices(DeviceLibrary& library, std::ostream& warnings);

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

// The number k of a new channel's automatic name ("Device k", or "Demo k" for a demo channel, in
// the user's language): the smallest k from 1 to serial + 1 whose name `nameTaken` reports free;
// the last candidate when all are taken. The caller forms and compares the names, so the rule
// holds for every language.
int AutomaticNameNumber(int serial, const std::function<bool(int)>& nameTaken);

}  // namespace korvane
