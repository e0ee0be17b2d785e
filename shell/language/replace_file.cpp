#include "shell/language/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "shell/language/posix_file.h"

namespace korvane {

std::optional<std::string> ReadTextFileBytes(const std::filesystem::path& path, int& errorCode) {
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd.valid() || fstat(fd.get(), &info) != 0) {
        errorCode = errno;
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode) || static_cast<std::uintmax_t>(info.st_size) > kMaxTextFileBytes) {
        errorCode = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    std::string bytes;
    errorCode = ReadAll(fd.get(), bytes, kMaxTextFileBytes);
    if (errorCode != 0) {
        return std::nullopt;
    }
    return bytes;
}

int ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    struct stat existing {};
    const bool keepMode = stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    const UniqueFd dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid()) {
        return errno;
    }
    const std::string name = target.filename().string();
    TemporaryEntry temporary(dir.get(), "." + name + ".tmp." + std::to_string(getpid()) + "." +
                                            std::to_string(counter++));
    const UniqueFd fd(openat(dir.get(), temporary.name().c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        return errno;
    }
    temporary.created();
    if (keepMode && fchmod(fd.get(), existing.st_mode & 07777) != 0) {
        return errno;
    }
    if (const int error = WriteAll(fd.get(), bytes); error != 0) {
        return error;
    }
    if (fsync(fd.get()) != 0 ||
        renameat(dir.get(), temporary.name().c_str(), dir.get(), name.c_str()) != 0) {
        return errno;
    }
    temporary.release();
    return 0;
}

}  // namespace korvane
