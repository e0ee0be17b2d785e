#include "platform/atomic_file.h"

#include "platform/replace_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

namespace korvane {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::error_code LastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

}  // namespace

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    int error = ReplaceFileContents(path, bytes);
    return error ? std::error_code(error, std::generic_category()) : std::error_code();
}

std::error_code ReadFilePrefix(const std::filesystem::path& path, std::size_t limit,
                               std::string& bytes) {
    bytes.clear();
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return LastError();
    }
    constexpr std::size_t kChunk = 65536;
    while (bytes.size() < limit) {
        std::size_t old = bytes.size();
        std::size_t want = std::min(kChunk, limit - old);
        bytes.resize(old + want);
        std::size_t got = std::fread(bytes.data() + old, 1, want, file.get());
        bytes.resize(old + got);
        if (got < want) {
            if (std::ferror(file.get())) {
                return LastError();
            }
            break;
        }
    }
    return {};
}

}  // namespace korvane
