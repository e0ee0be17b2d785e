#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

#include "engine/device_library/bounded_log.h"
#include "engine/device_library/device_library.h"

namespace korvane {

// A model of N generators, so the whole program runs (and is tested) without hardware.
class SimulatedDeviceLibrary : public DeviceLibrary {
  public:
    using Clock = std::chrono::steady_clock;

    // The call log keeps this many of the newest calls.
    static constexpr std::size_t kCallLogCapacity = 20000;

    // One call as the simulator received it; `value` is the call's main argument (frequency,
    // divider, code count, word...).
    struct Call {
        std::string_view name;  // the call's name, a literal that lives as long as the program
        int device;
        double value;
        Clock::time_point when;
    };

    // What one simulated generator holds.
    struct DeviceState {
        bool present = true;
        std::vector<std::uint16_t> codes;
        bool flat = true;  // every code the same (or none): nothing is generated
        int divider = 0;
        int pointCount = 0;
        int periodCount = 1;
        int externalTrigger = 0;
        int triggerEdge = 0;
        int singleWave = 0;
        int dioMode = 0;
        std::uint32_t digitalOut = 0;
        int powerOnOutput = 0;
        Clock::time_point counterStart{};
    };

    explicit SimulatedDeviceLibrary(int deviceCount);

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

    // ---- controls for tests ----
    // An unplugged device answers DDSCheck with 0, ignores every call and loses its buffer.
    void Unplug(int device);
    // A replugged device starts afresh: it keeps only its power-on output setting.
    void Replug(int device);
    DeviceState Device(int device) const;
    std::vector<Call> CallLog() const;
    void ClearCallLog();
    // Called (on the caller's thread, outside the simulator's lock) after each recorded call.
    void SetCallObserver(std::function<void(const Call&)> observer);

    // Points and periods the simulator chooses for a frequency (the same rule as DDSSetFrequency).
    static void BufferLayout(double frequency, int* pointCount, int* periodCount);

  private:
    // Records the call; returns the device when it exists and is plugged in, else nullptr.
    DeviceState* Accept(std::unique_lock<std::mutex>& lock, std::string_view name, int device,
                        double value);
    void Notify(std::unique_lock<std::mutex>& lock);
    double GeneratedFrequency(const DeviceState& device) const;

    mutable std::mutex mutex_;
    std::vector<DeviceState> devices_;
    BoundedLog<Call> log_{kCallLogCapacity};
    std::function<void(const Call&)> observer_;
};

}  // namespace korvane
