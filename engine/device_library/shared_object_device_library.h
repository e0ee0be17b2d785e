#pragma once

#include <string>

#include "engine/device_library/device_library.h"
#include "engine/device_library/kvdds_api.h"

namespace korvane {

// A real driver: a shared object exporting the C functions of kvdds_api.h, loaded with dlopen.
// When the file or any function is missing, the problem is reported once (ErrorText) and the
// library behaves as one with no hardware.
class SharedObjectDeviceLibrary : public DeviceLibrary {
  public:
    explicit SharedObjectDeviceLibrary(const std::string& path);
    ~SharedObjectDeviceLibrary() override;
    SharedObjectDeviceLibrary(const SharedObjectDeviceLibrary&) = delete;
    SharedObjectDeviceLibrary& operator=(const SharedObjectDeviceLibrary&) = delete;

    bool Loaded() const { return loaded_; }
    const std::string& ErrorText() const { return error_; }

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

  private:
    struct Functions {
        decltype(&::DDSSearch) search = nullptr;
        decltype(&::DDSCheck) check = nullptr;
        decltype(&::DDSSetFrequency) setFrequency = nullptr;
        decltype(&::DDSDownload) download = nullptr;
        decltype(&::DDSSetDivNum) setDivNum = nullptr;
        decltype(&::DDSSetTrigger) setTrigger = nullptr;
        decltype(&::DDSSetSingleWave) setSingleWave = nullptr;
        decltype(&::DDSSetDIOMode) setDioMode = nullptr;
        decltype(&::DDSSetDigitalOut) setDigitalOut = nullptr;
        decltype(&::DDSGetDigitalIn) getDigitalIn = nullptr;
        decltype(&::DDSGetMeasure) getMeasure = nullptr;
        decltype(&::DDSResetCounter) resetCounter = nullptr;
        decltype(&::DDSSetPowerOnOutput) setPowerOnOutput = nullptr;
    };

    void* handle_ = nullptr;
    bool loaded_ = false;
    std::string error_;
    Functions fn_;
};

}  // namespace korvane
