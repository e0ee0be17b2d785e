#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace korvane {

// Owns a POSIX file descriptor and closes it.
class UniqueFd {
  public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&&) = delete;
    ~UniqueFd();

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }

  private:
    int fd_;
};

// A temporary file name inside an open folder, removed again unless released after a successful
// rename.
class TemporaryEntry {
  public:
    TemporaryEntry(int dirFd, std::string name) : dirFd_(dirFd), name_(std::move(name)) {}
    TemporaryEntry(const TemporaryEntry&) = delete;
    TemporaryEntry& operator=(const TemporaryEntry&) = delete;
    ~TemporaryEntry();

    const std::string& name() const { return name_; }
    void created() { created_ = true; }
    void release() { created_ = false; }

  private:
    int dirFd_;
    std::string name_;
    bool created_ = false;
};

// Writes every byte, retrying short writes and interruptions. Returns 0 or errno.
int WriteAll(int fd, std::string_view bytes);
// Appends the file's bytes to out, at most limit of them (EFBIG beyond). Returns 0 or errno.
int ReadAll(int fd, std::string& out, std::size_t limit);

}  // namespace korvane
