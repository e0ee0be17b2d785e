#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>

#include "engine/device_library/simulated_device_library.h"

namespace korvane::testing {

// A device library that forwards to a simulator and holds every call of one name until the test
// releases it, as a driver stuck on a slow device would. It records the threads each call ran
// on. A held call goes on by itself after a safety limit (and says so), so a program that waits
// for it fails the test instead of hanging it.
class BlockingLibrary : public DeviceLibrary {
  public:
    static constexpr std::chrono::seconds kSafetyLimit{30};

    explicit BlockingLibrary(int devices) : simulator(devices) {}

    SimulatedDeviceLibrary simulator;

    // Holds the calls named so from now on; a call held under another name goes on.
    void Hold(std::string name) {
        {
            std::lock_guard lock(mutex_);
            held_ = std::move(name);
            released_ = false;
        }
        wake_.notify_all();
    }
    void Release() {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        wake_.notify_all();
    }
    // A call of the name held now is waiting.
    bool Holding() const {
        std::lock_guard lock(mutex_);
        return !released_ && waiting_.count(held_) != 0;
    }
    // A held call waited the whole safety limit: nobody released it while the program went on.
    bool GaveUp() const {
        std::lock_guard lock(mutex_);
        return gaveUp_;
    }
    // Whether any call ran on `thread`.
    bool CalledOn(std::thread::id thread) const {
        std::lock_guard lock(mutex_);
        return threads_.count(thread) != 0;
    }
    // How many threads made calls.
    std::size_t ThreadCount() const {
        std::lock_guard lock(mutex_);
        return threads_.size();
    }
    // What DDSSearch answers instead of the simulator's count, as a driver that reports more
    // devices than it has.
    void ReportDevices(int count) {
        std::lock_guard lock(mutex_);
        reportedDevices_ = count;
    }

    int DDSSearch() override {
        Enter("DDSSearch");
        const int count = simulator.DDSSearch();
        std::lock_guard lock(mutex_);
        return reportedDevices_.value_or(count);
    }
    int DDSCheck(int d) override { return Enter("DDSCheck"), simulator.DDSCheck(d); }
    int DDSSetFrequency(int d, double f, int* points, int* periods) override {
        return Enter("DDSSetFrequency"), simulator.DDSSetFrequency(d, f, points, periods);
    }
    int DDSDownload(int d, const std::uint16_t* codes, int count) override {
        return Enter("DDSDownload"), simulator.DDSDownload(d, codes, count);
    }
    int DDSSetDivNum(int d, int divider) override {
        return Enter("DDSSetDivNum"), simulator.DDSSetDivNum(d, divider);
    }
    int DDSSetTrigger(int d, int external, int edge) override {
        return Enter("DDSSetTrigger"), simulator.DDSSetTrigger(d, external, edge);
    }
    int DDSSetSingleWave(int d, int single) override {
        return Enter("DDSSetSingleWave"), simulator.DDSSetSingleWave(d, single);
    }
    int DDSSetDIOMode(int d, int mode) override {
        return Enter("DDSSetDIOMode"), simulator.DDSSetDIOMode(d, mode);
    }
    int DDSSetDigitalOut(int d, std::uint32_t word) override {
        return Enter("DDSSetDigitalOut"), simulator.DDSSetDigitalOut(d, word);
    }
    int DDSGetDigitalIn(int d, std::uint16_t* word) override {
        return Enter("DDSGetDigitalIn"), simulator.DDSGetDigitalIn(d, word);
    }
    int DDSGetMeasure(int d, int kind, double* value) override {
        return Enter("DDSGetMeasure"), simulator.DDSGetMeasure(d, kind, value);
    }
    int DDSResetCounter(int d) override {
        return Enter("DDSResetCounter"), simulator.DDSResetCounter(d);
    }
    int DDSSetPowerOnOutput(int d, int on) override {
        return Enter("DDSSetPowerOnOutput"), simulator.DDSSetPowerOnOutput(d, on);
    }

  private:
    void Enter(std::string_view name) {
        std::unique_lock lock(mutex_);
        threads_.insert(std::this_thread::get_id());
        if (name != held_ || released_) {
            return;
        }
        const auto waiting = waiting_.insert(std::string(name));
        if (!wake_.wait_for(lock, kSafetyLimit, [&] { return released_ || held_ != name; })) {
            gaveUp_ = true;
        }
        waiting_.erase(waiting);
    }

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::string held_;
    bool released_ = false;
    std::multiset<std::string> waiting_;
    bool gaveUp_ = false;
    std::set<std::thread::id> threads_;
    std::optional<int> reportedDevices_;
};

}  // namespace korvane::testing
