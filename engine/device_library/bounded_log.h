#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace korvane {

// Keeps the newest `capacity` entries. Once full, each new entry takes the place of the oldest,
// so a program that runs for days records without allocating or moving entries. Not
// thread-safe: the owner guards it.
template <typename T>
class BoundedLog {
  public:
    explicit BoundedLog(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

    void Append(const T& entry) {
        if (entries_.size() < capacity_) {
            entries_.push_back(entry);
            return;
        }
        entries_[oldest_] = entry;
        oldest_ = (oldest_ + 1) % capacity_;
    }

    // Oldest first.
    std::vector<T> Entries() const {
        std::vector<T> ordered;
        ordered.reserve(entries_.size());
        const auto split = entries_.begin() + static_cast<std::ptrdiff_t>(oldest_);
        ordered.insert(ordered.end(), split, entries_.end());
        ordered.insert(ordered.end(), entries_.begin(), split);
        return ordered;
    }

    // The entry appended last; the log must not be empty.
    const T& Newest() const { return entries_[(oldest_ + entries_.size() - 1) % entries_.size()]; }

    std::size_t Size() const { return entries_.size(); }
    std::size_t Capacity() const { return capacity_; }

    // Keeps the storage, so logging after a clear does not allocate either.
    void Clear() {
        entries_.clear();
        oldest_ = 0;
    }

  private:
    std::size_t capacity_;
    std::vector<T> entries_;
    std::size_t oldest_ = 0;  // where the oldest entry sits once the log is full
};

}  // namespace korvane
