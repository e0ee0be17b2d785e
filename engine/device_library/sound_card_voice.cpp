#include "engine/device_library/sound_card_voice.h"

#include <algorithm>

namespace korvane {

void VoiceMailbox::Post(std::unique_ptr<Voice> voice) {
    std::lock_guard lock(ownerMutex_);
    voice->generation = nextGeneration_++;
    newest_.store(voice.get(), std::memory_order_release);
    owned_.push_back(std::move(voice));
    const std::uint64_t playing = playing_.load(std::memory_order_acquire);
    std::erase_if(owned_, [&](const std::unique_ptr<Voice>& v) { return v->generation < playing; });
}

const Voice* VoiceMailbox::Take() {
    const Voice* newest = newest_.load(std::memory_order_acquire);
    if (newest != current_) {
        current_ = newest;
        playing_.store(newest->generation, std::memory_order_release);
    }
    return current_;
}

}  // namespace korvane
