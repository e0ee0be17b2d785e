#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "engine/device_library/device_library.h"

namespace korvane::testing {

// A scripted device library: records each call's name and answers from a script.
class RecordingLibrary : public DeviceLibrary {
  public:
    int present = 1;    // what DDSCheck answers
    int points = 4000;  // what DDSSetFrequency answers
    int periods = 2;
    std::deque<double> measures;  // answers of DDSGetMeasure, front first (0 when empty)
    std::uint16_t digitalInWord = 0;
    std::vector<std::uint16_t> lastCodes;

    std::vector<std::string> Calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }

    int DDSSearch() override { return Record("DDSSearch", 1); }
    int DDSCheck(int) override { return Record("DDSCheck", present); }
    int DDSSetFrequency(int, double, int* pointCount, int* periodCount) override {
        *pointCount = points;
        *periodCount = periods;
        return Record("DDSSetFrequency", 1);
    }
    int DDSDownload(int, const std::uint16_t* codes, int count) override {
        {
            std::lock_guard lock(mutex_);
            lastCodes.assign(codes, codes + count);
        }
        return Record("DDSDownload", 1);
    }
    int DDSSetDivNum(int, int) override { return Record("DDSSetDivNum", 1); }
    int DDSSetTrigger(int, int, int) override { return Record("DDSSetTrigger", 1); }
    int DDSSetSingleWave(int, int) override { return Record("DDSSetSingleWave", 1); }
    int DDSSetDIOMode(int, int) override { return Record("DDSSetDIOMode", 1); }
    int DDSSetDigitalOut(int, std::uint32_t) override { return Record("DDSSetDigitalOut", 1); }
    int DDSGetDigitalIn(int, std::uint16_t* word) override {
        *word = digitalInWord;
        return Record("DDSGetDigitalIn", 1);
    }
    int DDSGetMeasure(int, int kind, double* value) override {
        std::lock_guard lock(mutex_);
        *value = measures.empty() ? 0.0 : measures.front();
        if (!measures.empty()) {
            measures.pop_front();
        }
        calls_.push_back(kind == 0 ? "DDSGetMeasure(F)" : "DDSGetMeasure(C)");
        return 1;
    }
    int DDSResetCounter(int) override { return Record("DDSResetCounter", 1); }
    int DDSSetPowerOnOutput(int, int) override { return Record("DDSSetPowerOnOutput", 1); }

  protected:
    int Record(const char* name, int result) {
        std::lock_guard lock(mutex_);
        calls_.push_back(name);
        return result;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

}  // namespace korvane::testing
