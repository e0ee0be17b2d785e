#include "platform/private_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix_file.h"

namespace korvane {
namespace {

// Opens (creating if needed) a folder that only the current user can reach.
UniqueFd OpenPrivateFolder(const std::filesystem::path& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return UniqueFd(-1);
    }
    UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || fstat(fd.get(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != geteuid()) {
        return UniqueFd(-1);
    }
    if ((info.st_mode & 077) != 0 && fchmod(fd.get(), 0700) != 0) {
        return UniqueFd(-1);
    }
    return fd;
}

}  // namespace

std::filesystem::path WritePrivateFile(const std::filesystem::path& parent,
                                       std::string_view folderName, std::string_view fileName,
                                       std::string_view bytes) {
    const std::filesystem::path folder =
        parent / (std::string(folderName) + "-" + std::to_string(geteuid()));
    const UniqueFd dir = OpenPrivateFolder(folder);
    if (!dir.valid()) {
        return {};
    }
    const std::string name(fileName);
    TemporaryEntry temporary(dir.get(), "." + name + "." + std::to_string(getpid()));
    unlinkat(dir.get(), temporary.name().c_str(), 0);  // left over by a crashed run
    const UniqueFd fd(openat(dir.get(), temporary.name().c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid()) {
        return {};
    }
    temporary.created();
    if (WriteAll(fd.get(), bytes) != 0 ||
        renameat(dir.get(), temporary.name().c_str(), dir.get(), name.c_str()) != 0) {
        return {};
    }
    temporary.release();
    return folder / name;
}

}  // namespace korvane
