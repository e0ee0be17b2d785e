#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/posix_file.h"
#include "platform/replace_file.h"

namespace korvane {
namespace {

std::error_code Error(int code) {
    return {code != 0 ? code : EIO, std::generic_category()};
}

}  // namespace

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    // A save killed half-way leaves its temporary behind; the next save beside it clears it.
    RemoveStaleTemporaries(path);
    int error = ReplaceFileContents(path, bytes);
    return error ? Error(error) : std::error_code();
}

std::error_code ReadFilePrefix(const std::filesystem::path& path, std::size_t limit,
                               std::string& bytes) {
    bytes.clear();
    // Opened without blocking, so a pipe or a device with no writer cannot hang the reader
    // before it is refused below.
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd.valid() || fstat(fd.get(), &info) != 0) {
        return Error(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return Error(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    }
    // Room for the whole file at once: a large file is not copied as the text grows.
    bytes.reserve(std::min(limit, static_cast<std::size_t>(info.st_size)));
    constexpr std::size_t kChunk = 65536;
    while (bytes.size() < limit) {
        const std::size_t old = bytes.size();
        const std::size_t want = std::min(kChunk, limit - old);
        bytes.resize(old + want);
        const ssize_t got = read(fd.get(), bytes.data() + old, want);
        if (got < 0 && errno == EINTR) {
            bytes.resize(old);
            continue;
        }
        if (got < 0) {
            bytes.resize(old);
            return Error(errno);
        }
        bytes.resize(old + static_cast<std::size_t>(got));
        if (got == 0) {
            break;
        }
    }
    return {};
}

}  // namespace korvane
