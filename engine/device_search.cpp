#include "engine/device_search.h"

#include <iostream>

#include "engine/detached_threads.h"
#include "engine/device_claim.h"

namespace korvane {

DeviceSearch::DeviceSearch(DeviceLibrary& library, std::function<void(int)> found)
    : answer_(std::make_shared<Answer>()), ended_(std::make_shared<std::atomic<bool>>(false)) {
    answer_->found = std::move(found);
    thread_ = std::jthread([&library, answer = answer_, ended = ended_] {
        const int count = SearchDevices(library, std::cerr);
        {
            // Held while `found` runs, so the search's owner outlives every call of it.
            std::lock_guard lock(answer->mutex);
            if (answer->found) {
                answer->found(count);
            }
        }
        *ended = true;
    });
}

DeviceSearch::~DeviceSearch() {
    {
        std::lock_guard lock(answer_->mutex);
        answer_->found = nullptr;
    }
    KeepDetached(std::move(thread_), ended_);
}

}  // namespace korvane
