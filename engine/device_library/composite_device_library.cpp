#include "engine/device_library/composite_device_library.h"

#include <algorithm>

namespace korvane {

CompositeDeviceLibrary::CompositeDeviceLibrary(std::vector<std::unique_ptr<DeviceLibrary>> parts)
    : parts_(std::move(parts)), counts_(parts_.size()) {}

int CompositeDeviceLibrary::DDSSearch() {
    int total = 0;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const int count = std::max(0, parts_[i]->DDSSearch());
        counts_[i] = count;
        total += count;
    }
    return total;
}

CompositeDeviceLibrary::Target CompositeDeviceLibrary::Route(int device) const {
    if (device < 0) {
        return {nullptr, -1};
    }
    int first = 0;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const int count = counts_[i];
        if (device < first + count) {
            return {parts_[i].get(), device - first};
        }
        first += count;
    }
    return {nullptr, -1};
}

int CompositeDeviceLibrary::DDSCheck(int device) {
    return Forward(device, 0, [](DeviceLibrary& l, int d) { return l.DDSCheck(d); });
}

int CompositeDeviceLibrary::DDSSetFrequency(int device, double frequency, int* pointCount,
                                            int* periodCount) {
    return Forward(device, 0, [&](DeviceLibrary& l, int d) {
        return l.DDSSetFrequency(d, frequency, pointCount, periodCount);
    });
}

int CompositeDeviceLibrary::DDSDownload(int device, const std::uint16_t* codes, int count) {
    return Forward(device, 0,
                   [&](DeviceLibrary& l, int d) { return l.DDSDownload(d, codes, count); });
}

int CompositeDeviceLibrary::DDSSetDivNum(int device, int divider) {
    return Forward(device, 0, [&](DeviceLibrary& l, int d) { return l.DDSSetDivNum(d, divider); });
}

int CompositeDeviceLibrary::DDSSetTrigger(int device, int externalTrigger, int edge) {
    return Forward(device, 0, [&](DeviceLibrary& l, int d) {
        return l.DDSSetTrigger(d, externalTrigger, edge);
    });
}

int CompositeDeviceLibrary::DDSSetSingleWave(int device, int singleWave) {
    return Forward(device, 0,
                   [&](DeviceLibrary& l, int d) { return l.DDSSetSingleWave(d, singleWave); });
}

int CompositeDeviceLibrary::DDSSetDIOMode(int device, int mode) {
    return Forward(device, 0, [&](DeviceLibrary& l, int d) { return l.DDSSetDIOMode(d, mode); });
}

int CompositeDeviceLibrary::DDSSetDigitalOut(int device, std::uint32_t word) {
    return Forward(device, 0, [&](DeviceLibrary& l, int d) { return l.DDSSetDigitalOut(d, word); });
}

int CompositeDeviceLibrary::DDSGetDigitalIn(int device, std::uint16_t* word) {
    return Forward(device, 0, [&](DeviceLibrary& l, int d) { return l.DDSGetDigitalIn(d, word); });
}

int CompositeDeviceLibrary::DDSGetMeasure(int device, int kind, double* value) {
    return Forward(device, 0,
                   [&](DeviceLibrary& l, int d) { return l.DDSGetMeasure(d, kind, value); });
}

int CompositeDeviceLibrary::DDSResetCounter(int device) {
    return Forward(device, 0, [](DeviceLibrary& l, int d) { return l.DDSResetCounter(d); });
}

int CompositeDeviceLibrary::DDSSetPowerOnOutput(int device, int on) {
    return Forward(device, 0,
                   [&](DeviceLibrary& l, int d) { return l.DDSSetPowerOnOutput(d, on); });
}

bool CompositeDeviceLibrary::AcceptsVolts(int device) const {
    return Forward(device, false, [](DeviceLibrary& l, int d) { return l.AcceptsVolts(d); });
}

bool CompositeDeviceLibrary::DDSDownloadVolts(int device, const double* volts, int count) {
    return Forward(device, false,
                   [&](DeviceLibrary& l, int d) { return l.DDSDownloadVolts(d, volts, count); });
}

double CompositeDeviceLibrary::MaxFrequency(int device) const {
    return Forward(device, DeviceLibrary::MaxFrequency(device),
                   [](DeviceLibrary& l, int d) { return l.MaxFrequency(d); });
}

bool CompositeDeviceLibrary::HasTriggerAndDigitalIo(int device) const {
    return Forward(device, DeviceLibrary::HasTriggerAndDigitalIo(device),
                   [](DeviceLibrary& l, int d) { return l.HasTriggerAndDigitalIo(d); });
}

DeviceIdentity CompositeDeviceLibrary::Identify(int device) const {
    return Forward(device, DeviceIdentity(), [](DeviceLibrary& l, int d) { return l.Identify(d); });
}

int CompositeDeviceLibrary::OutputsOnClock(int device) const {
    return Forward(device, DeviceLibrary::OutputsOnClock(device),
                   [](DeviceLibrary& l, int d) { return l.OutputsOnClock(d); });
}

bool CompositeDeviceLibrary::SynchronizeOutputs(int device) {
    return Forward(device, false, [](DeviceLibrary& l, int d) { return l.SynchronizeOutputs(d); });
}

}  // namespace korvane
