#pragma once

#include <cstdint>

namespace korvane {

// The thirteen calls of the generator's driver library. Device index -1 (a demo channel) or an
// unknown index must return without effect. Implementations are called from the GUI thread and
// from every channel's worker, so they must be thread-safe.
class DeviceLibrary {
  public:
    virtual ~DeviceLibrary() = default;

    virtual int DDSSearch() = 0;
    virtual int DDSCheck(int device) = 0;
    virtual int DDSSetFrequency(int device, double frequency, int* pointCount,
                                int* periodCount) = 0;
    virtual int DDSDownload(int device, const std::uint16_t* codes, int count) = 0;
    virtual int DDSSetDivNum(int device, int divider) = 0;
    virtual int DDSSetTrigger(int device, int externalTrigger, int edge) = 0;
    virtual int DDSSetSingleWave(int device, int singleWave) = 0;
    virtual int DDSSetDIOMode(int device, int mode) = 0;
    virtual int DDSSetDigitalOut(int device, std::uint32_t word) = 0;
    virtual int DDSGetDigitalIn(int device, std::uint16_t* word) = 0;
    virtual int DDSGetMeasure(int device, int kind, double* value) = 0;
    virtual int DDSResetCounter(int device) = 0;
    virtual int DDSSetPowerOnOutput(int device, int on) = 0;

  protected:
    DeviceLibrary() = default;
};

}  // namespace korvane
