#include "engine/device_library/simulated_device_library.h"

#include <algorithm>
#include <cmath>

#include "engine/synthesis.h"

namespace korvane {

SimulatedDeviceLibrary::SimulatedDeviceLibrary(int deviceCount)
    : devices_(static_cast<std::size_t>(std::max(0, deviceCount))) {
    for (DeviceState& device : devices_) {
        device.counterStart = Clock::now();
    }
}

SimulatedDeviceLibrary::DeviceState* SimulatedDeviceLibrary::Accept(std::unique_lock<std::mutex>&,
                                                                    std::string_view name,
                                                                    int device, double value) {
    log_.Append({name, device, value, Clock::now()});
    if (device < 0 || device >= static_cast<int>(devices_.size())) {
        return nullptr;
    }
    DeviceState& state = devices_[static_cast<std::size_t>(device)];
    return state.present ? &state : nullptr;
}

void SimulatedDeviceLibrary::Notify(std::unique_lock<std::mutex>& lock) {
    if (!observer_) {
        return;
    }
    auto observer = observer_;
    const Call call = log_.Newest();
    lock.unlock();
    observer(call);
}

void SimulatedDeviceLibrary::BufferLayout(double frequency, int* pointCount, int* periodCount) {
    if (!(frequency > 0.0) || !std::isfinite(frequency)) {
        *pointCount = kMaxPoints;
        *periodCount = 1;
        return;
    }
    double d = ClockDivider(frequency);
    double pointsPerPeriod = kMasterClockHz / (d * frequency);
    double periods = std::max(1.0, std::floor(kMaxPoints / pointsPerPeriod));
    *periodCount = static_cast<int>(periods);
    *pointCount =
        static_cast<int>(std::min<double>(kMaxPoints, std::round(periods * pointsPerPeriod)));
}

double SimulatedDeviceLibrary::GeneratedFrequency(const DeviceState& device) const {
    if (device.flat || device.divider <= 0 || device.pointCount <= 0) {
        return 0.0;
    }
    return kMasterClockHz / device.divider * device.periodCount / device.pointCount;
}

int SimulatedDeviceLibrary::DDSSearch() {
    std::unique_lock lock(mutex_);
    Accept(lock, "DDSSearch", -1, 0);
    int count = static_cast<int>(devices_.size());
    Notify(lock);
    return count;
}

int SimulatedDeviceLibrary::DDSCheck(int device) {
    std::unique_lock lock(mutex_);
    int present = Accept(lock, "DDSCheck", device, 0) ? 1 : 0;
    Notify(lock);
    return present;
}

int SimulatedDeviceLibrary::DDSSetFrequency(int device, double frequency, int* pointCount,
                                            int* periodCount) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSSetFrequency", device, frequency)) {
        BufferLayout(frequency, pointCount, periodCount);
        d->divider = ClockDivider(frequency);
        d->pointCount = *pointCount;
        d->periodCount = *periodCount;
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSDownload(int device, const std::uint16_t* codes, int count) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSDownload", device, count)) {
        d->codes.assign(codes, codes + std::clamp(count, 0, kMaxPoints));
        // Decided once here rather than on every frequency reading.
        d->flat = std::all_of(d->codes.begin(), d->codes.end(),
                              [&](std::uint16_t c) { return c == d->codes.front(); });
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSSetDivNum(int device, int divider) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSSetDivNum", device, divider)) {
        d->divider = divider;
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSSetTrigger(int device, int externalTrigger, int edge) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSSetTrigger", device, externalTrigger)) {
        d->externalTrigger = externalTrigger;
        d->triggerEdge = edge;
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSSetSingleWave(int device, int singleWave) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSSetSingleWave", device, singleWave)) {
        d->singleWave = singleWave;
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSSetDIOMode(int device, int mode) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSSetDIOMode", device, mode)) {
        d->dioMode = mode;
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSSetDigitalOut(int device, std::uint32_t word) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSSetDigitalOut", device, word)) {
        d->digitalOut = word;
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSGetDigitalIn(int device, std::uint16_t* word) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSGetDigitalIn", device, 0)) {
        // I0..I3 are wired back to O0..O3; bits 6..7 carry the combine serial number.
        auto loopBack = static_cast<std::uint16_t>((d->digitalOut & 0xfu) << 2);
        auto serial = static_cast<std::uint16_t>((device % 4) << 6);
        *word = static_cast<std::uint16_t>(loopBack | serial);
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSGetMeasure(int device, int kind, double* value) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSGetMeasure", device, kind)) {
        double generated = GeneratedFrequency(*d);
        if (kind == 0) {
            *value = generated;
        } else {
            std::chrono::duration<double> elapsed = Clock::now() - d->counterStart;
            *value = std::floor(elapsed.count() * generated);
        }
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSResetCounter(int device) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSResetCounter", device, 0)) {
        d->counterStart = Clock::now();
    }
    Notify(lock);
    return 1;
}

int SimulatedDeviceLibrary::DDSSetPowerOnOutput(int device, int on) {
    std::unique_lock lock(mutex_);
    if (DeviceState* d = Accept(lock, "DDSSetPowerOnOutput", device, on)) {
        d->powerOnOutput = on;
    }
    Notify(lock);
    return 1;
}

void SimulatedDeviceLibrary::Unplug(int device) {
    std::lock_guard lock(mutex_);
    if (device >= 0 && device < static_cast<int>(devices_.size())) {
        DeviceState& d = devices_[static_cast<std::size_t>(device)];
        d.present = false;
        d.codes.clear();
        d.flat = true;
    }
}

void SimulatedDeviceLibrary::Replug(int device) {
    std::lock_guard lock(mutex_);
    if (device >= 0 && device < static_cast<int>(devices_.size())) {
        // It powered up afresh: only the power-on output setting, kept by the device itself,
        // survives.
        DeviceState& d = devices_[static_cast<std::size_t>(device)];
        DeviceState fresh;
        fresh.powerOnOutput = d.powerOnOutput;
        fresh.counterStart = Clock::now();
        d = fresh;
    }
}

SimulatedDeviceLibrary::DeviceState SimulatedDeviceLibrary::Device(int device) const {
    std::lock_guard lock(mutex_);
    if (device < 0 || device >= static_cast<int>(devices_.size())) {
        return {};
    }
    return devices_[static_cast<std::size_t>(device)];
}

std::vector<SimulatedDeviceLibrary::Call> SimulatedDeviceLibrary::CallLog() const {
    std::lock_guard lock(mutex_);
    return log_.Entries();
}

void SimulatedDeviceLibrary::ClearCallLog() {
    std::lock_guard lock(mutex_);
    log_.Clear();
}

void SimulatedDeviceLibrary::SetCallObserver(std::function<void(const Call&)> observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

}  // namespace korvane
