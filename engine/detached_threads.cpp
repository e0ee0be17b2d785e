#include "engine/detached_threads.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <vector>

namespace korvane {

namespace {

struct DetachedThread {
    std::jthread thread;
    std::shared_ptr<const std::atomic<bool>> ended;
};

std::mutex& DetachedMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<DetachedThread>& DetachedThreads() {
    static std::vector<DetachedThread> threads;
    return threads;
}

}  // namespace

void KeepDetached(std::jthread thread, std::shared_ptr<const std::atomic<bool>> ended) {
    std::vector<DetachedThread> finished;  // joined outside the lock (they have returned already)
    std::lock_guard lock(DetachedMutex());
    auto& threads = DetachedThreads();
    const auto first = std::stable_partition(threads.begin(), threads.end(),
                                             [](const DetachedThread& t) { return !*t.ended; });
    std::move(first, threads.end(), std::back_inserter(finished));
    threads.erase(first, threads.end());
    threads.push_back({std::move(thread), std::move(ended)});
}

void JoinDetachedThreads() {
    std::vector<DetachedThread> threads;
    {
        std::lock_guard lock(DetachedMutex());
        threads.swap(DetachedThreads());
    }
    threads.clear();  // each jthread joins as it goes
}

}  // namespace korvane
