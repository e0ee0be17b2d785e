#pragma once

#include <cstdint>
#include <memory>

#include "engine/device_library/device_library.h"

namespace korvane::testing {

// Forwards every call to a library the test owns. The program owns (and at its end destroys) the
// library it is given; through this the test can still read its own library afterwards.
class BorrowedLibrary : public DeviceLibrary {
  public:
    explicit BorrowedLibrary(DeviceLibrary& library) : library_(library) {}

    int DDSSearch() override { return library_.DDSSearch(); }
    int DDSCheck(int d) override { return library_.DDSCheck(d); }
    int DDSSetFrequency(int d, double f, int* points, int* periods) override {
        return library_.DDSSetFrequency(d, f, points, periods);
    }
    int DDSDownload(int d, const std::uint16_t* codes, int count) override {
        return library_.DDSDownload(d, codes, count);
    }
    int DDSSetDivNum(int d, int divider) override { return library_.DDSSetDivNum(d, divider); }
    int DDSSetTrigger(int d, int external, int edge) override {
        return library_.DDSSetTrigger(d, external, edge);
    }
    int DDSSetSingleWave(int d, int single) override {
        return library_.DDSSetSingleWave(d, single);
    }
    int DDSSetDIOMode(int d, int mode) override { return library_.DDSSetDIOMode(d, mode); }
    int DDSSetDigitalOut(int d, std::uint32_t word) override {
        return library_.DDSSetDigitalOut(d, word);
    }
    int DDSGetDigitalIn(int d, std::uint16_t* word) override {
        return library_.DDSGetDigitalIn(d, word);
    }
    int DDSGetMeasure(int d, int kind, double* value) override {
        return library_.DDSGetMeasure(d, kind, value);
    }
    int DDSResetCounter(int d) override { return library_.DDSResetCounter(d); }
    int DDSSetPowerOnOutput(int d, int on) override { return library_.DDSSetPowerOnOutput(d, on); }

  private:
    DeviceLibrary& library_;
};

inline std::unique_ptr<DeviceLibrary> Borrow(DeviceLibrary& library) {
    return std::make_unique<BorrowedLibrary>(library);
}

}  // namespace korvane::testing
