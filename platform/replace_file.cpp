#include "platform/replace_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>

#include "platform/posix_file.h"

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

namespace {

std::string TemporaryPrefix(const std::filesystem::path& target) {
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += ".tmp.";
    return prefix;
}

// The writing process of a temporary name "<prefix><pid>.<n>", or 0 when the name is not one.
pid_t TemporaryOwner(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) {
        return 0;
    }
    name.remove_prefix(prefix.size());
    const std::size_t dot = name.find('.');
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (dot == std::string_view::npos || !digits(name.substr(0, dot)) ||
        !digits(name.substr(dot + 1))) {
        return 0;
    }
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dot, pid);
    return error == std::errc() && end == name.data() + dot ? pid : 0;
}

bool ProcessRuns(pid_t pid) {
    return kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

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
    TemporaryEntry temporary(dir.get(), TemporaryPrefix(target) + std::to_string(getpid()) + "." +
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

int RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    const std::string prefix = TemporaryPrefix(target);
    int removed = 0;
    while (const dirent* entry = readdir(dir)) {
        const pid_t owner = TemporaryOwner(entry->d_name, prefix);
        struct stat info {};
        if (owner <= 0 || ProcessRuns(owner) ||
            fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode)) {
            continue;
        }
        removed += unlinkat(dirfd(dir), entry->d_name, 0) == 0;
    }
    closedir(dir);
    return removed;
}

}  // namespace korvane
