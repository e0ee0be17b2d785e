#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/device_library/sound_card_wave_table.h"

namespace korvane {

// Everything one output plays, built whole by the thread that makes a library call and never
// changed afterwards; the audio thread only reads it.
struct Voice {
    std::uint64_t generation = 0;  // set by the mailbox
    WaveTable table;
    std::uint64_t increment = 0;  // phase step per sample; 2^64 is one period
    bool flat = true;             // nothing moves: no periods are counted
    bool singleWave = false;
    std::uint32_t arming = 0;  // a new value restarts a single wave
};

// Hands voices from the library's callers to the audio thread without a lock the audio thread
// could wait on: the newest voice sits in one atomic slot, and the audio thread reports the
// generation it plays; a voice is freed (by a caller, in Post) only when the audio thread has
// moved past it, which it never undoes since the slot only ever holds newer voices.
class VoiceMailbox {
  public:
    // Caller side (any thread but the audio thread): publishes `voice` as the newest.
    void Post(std::unique_ptr<Voice> voice);
    // Audio side: the newest voice (nullptr before the first Post). Stays valid until the audio
    // thread takes another.
    const Voice* Take();

  private:
    std::mutex ownerMutex_;  // callers only
    std::vector<std::unique_ptr<Voice>> owned_;
    std::uint64_t nextGeneration_ = 1;
    std::atomic<const Voice*> newest_{nullptr};
    std::atomic<std::uint64_t> playing_{0};
    const Voice* current_ = nullptr;  // audio thread only
};

}  // namespace korvane
