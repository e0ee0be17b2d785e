#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace korvane {

class DeviceLibrary;

// The search for devices at start-up (SearchDevices, warnings on stderr) on a thread of its own,
// so that a slow driver keeps no window waiting. `found` runs once on that thread with the count,
// unless the search is destroyed first.
//
// Destroying the search never waits for the driver: a search still running is left to
// JoinDetachedThreads (detached_threads.h), which the program calls before its library goes.
class DeviceSearch {
  public:
    DeviceSearch(DeviceLibrary& library, std::function<void(int)> found);
    ~DeviceSearch();
    DeviceSearch(const DeviceSearch&) = delete;
    DeviceSearch& operator=(const DeviceSearch&) = delete;

  private:
    // Shared with the thread, which may outlive the search.
    struct Answer {
        std::mutex mutex;
        std::function<void(int)> found;  // cleared when the search is destroyed
    };

    std::shared_ptr<Answer> answer_;
    std::shared_ptr<std::atomic<bool>> ended_;
    std::jthread thread_;
};

}  // namespace korvane
