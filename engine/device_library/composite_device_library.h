#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "engine/device_library/device_library.h"

namespace korvane {

// Several libraries seen as one: the devices of the first come first, then those of the second,
// and so on. DDSSearch asks every part and fixes where each part's devices begin; an index
// beyond them all (or -1) is answered without effect.
class CompositeDeviceLibrary : public DeviceLibrary {
  public:
    explicit CompositeDeviceLibrary(std::vector<std::unique_ptr<DeviceLibrary>> parts);

    int DDSSearch() override;
    int DDSCheck(int device) override;
    int DDSSetFrequency(int device, double frequency, int* pointCount, int* periodCount) override;
    int DDSDownload(int device, const std::uint16_t* codes, int count) override;
    int DDSSetDivNum(int device, int divider) override;
    int DDSSetTrigger(int device, int externalTrigger, int edge) override;
    int DDSSetSingleWave(int device, int singleWave) override;
    int DDSSetDIOMode(int device, int mode) override;
    int DDSSetDigitalOut(int device, std::uint32_t word) override;
    int DDSGetDigitalIn(int device, std::uint16_t* word) override;
    int DDSGetMeasure(int device, int kind, double* value) override;
    int DDSResetCounter(int device) override;
    int DDSSetPowerOnOutput(int device, int on) override;

    bool AcceptsVolts(int device) const override;
    bool DDSDownloadVolts(int device, const double* volts, int count) override;
    double MaxFrequency(int device) const override;
    bool HasTriggerAndDigitalIo(int device) const override;
    DeviceIdentity Identify(int device) const override;
    int OutputsOnClock(int device) const override;
    bool SynchronizeOutputs(int device) override;

  private:
    struct Target {
        DeviceLibrary* part;  // nullptr: no such device
        int device;           // the index within the part
    };
    Target Route(int device) const;
    // Calls `call` (part, index) for a device that exists, else returns `otherwise`.
    template <typename Result, typename Call>
    Result Forward(int device, Result otherwise, Call call) const {
        const Target target = Route(device);
        return target.part ? call(*target.part, target.device) : otherwise;
    }

    std::vector<std::unique_ptr<DeviceLibrary>> parts_;
    std::vector<std::atomic<int>> counts_;  // each part's devices, as its DDSSearch said
};

}  // namespace korvane
