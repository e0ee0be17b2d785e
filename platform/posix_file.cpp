#include "platform/posix_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace korvane {

UniqueFd::~UniqueFd() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

TemporaryEntry::~TemporaryEntry() {
    if (created_) {
        unlinkat(dirFd_, name_.c_str(), 0);
    }
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int ReadAll(int fd, std::string& out, std::size_t limit) {
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        if (out.size() + static_cast<std::size_t>(got) > limit) {
            return EFBIG;
        }
        out.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace korvane
