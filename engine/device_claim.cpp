#include "engine/device_claim.h"

#include <algorithm>
#include <ostream>

#include "engine/channel_state.h"
#include "engine/device_library/device_library.h"

namespace korvane {

int SearchDevices(DeviceLibrary& library, std::ostream& warnings) {
    const int reported = library.DDSSearch();
    if (reported > kMaxDevices) {
        warnings << "the driver reports " << reported << " devices; using the first " << kMaxDevices
                 << "\n";
    }
    return std::clamp(reported, 0, kMaxDevices);
}

std::vector<int> FreeDevices(int deviceCount, const std::vector<int>& takenIndices) {
    std::vector<int> free;
    for (int i = 0; i < deviceCount && static_cast<int>(free.size()) < kMaxFreeDevices; ++i) {
        if (std::find(takenIndices.begin(), takenIndices.end(), i) == takenIndices.end()) {
            free.push_back(i);
        }
    }
    return free;
}

DeviceClaim ClaimDevice(int deviceCount, const std::vector<int>& takenIndices,
                        DeviceChooser& chooser) {
    const std::vector<int> free = FreeDevices(deviceCount, takenIndices);
    DeviceClaim claim;
    claim.freeCount = static_cast<int>(free.size());
    if (free.empty()) {
        chooser.ReportNoHardware();
        return claim;
    }
    if (free.size() == 1) {
        claim.demo = 0;
        claim.deviceIndex = free.front();
        return claim;
    }
    const std::optional<int> chosen = chooser.ChooseDevice(free);
    // A chooser answers with one of the offered devices; anything else counts as a cancel.
    if (chosen && std::find(free.begin(), free.end(), *chosen) != free.end()) {
        claim.demo = 0;
        claim.deviceIndex = *chosen;
    }
    return claim;
}

int SelectDevice(ChannelState& state, int deviceCount, const std::vector<int>& takenIndices,
                 DeviceChooser& chooser) {
    const DeviceClaim claim = ClaimDevice(deviceCount, takenIndices, chooser);
    state.demo = claim.demo;
    state.deviceIndex = claim.deviceIndex;
    return claim.freeCount;
}

int AutomaticNameNumber(int serial, const std::function<bool(int)>& nameTaken) {
    const int last = std::max(1, serial + 1);
    for (int k = 1; k < last; ++k) {
        if (!nameTaken(k)) {
            return k;
        }
    }
    return last;
}

}  // namespace korvane
