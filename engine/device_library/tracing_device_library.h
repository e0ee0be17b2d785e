#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "engine/device_library/device_library.h"

namespace korvane {

// Writes every call of the wrapped library to a file, one line each: a monotonic timestamp in
// microseconds, the calling thread, the arguments and the results.
class TracingDeviceLibrary : public DeviceLibrary {
  public:
    TracingDeviceLibrary(std::unique_ptr<DeviceLibrary> inner, const std::string& path);
    ~TracingDeviceLibrary() override;
    TracingDeviceLibrary(const TracingDeviceLibrary&) = delete;
    TracingDeviceLibrary& operator=(const TracingDeviceLibrary&) = delete;

    bool Open() const { return file_ != nullptr; }

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

    bool AcceptsVolts(int device) const override { return inner_->AcceptsVolts(device); }
    bool DDSDownloadVolts(int device, const double* volts, int count) override;
    double MaxFrequency(int device) const override { return inner_->MaxFrequency(device); }
    bool HasTriggerAndDigitalIo(int device) const override {
        return inner_->HasTriggerAndDigitalIo(device);
    }
    DeviceIdentity Identify(int device) const override { return inner_->Identify(device); }
    int OutputsOnClock(int device) const override { return inner_->OutputsOnClock(device); }
    bool SynchronizeOutputs(int device) override;

  private:
    int Trace(const std::string& call, int result, const std::string& outputs = {});

    std::unique_ptr<DeviceLibrary> inner_;
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
};

}  // namespace korvane
