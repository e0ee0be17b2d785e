#include "document/formats/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
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

// A fresh, exclusively created file in the target's folder, so the rename never crosses devices.
FileHandle CreateTemporaryBeside(const std::filesystem::path& path,
                                 std::filesystem::path& temporary, std::error_code& error) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = path;
        temporary += ".tmp" + std::to_string(entropy());
        errno = 0;
        FileHandle file(std::fopen(temporary.c_str(), "wbx"));
        if (file) {
            return file;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = LastError();
    return nullptr;
}

}  // namespace

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    std::filesystem::path temporary;
    FileHandle file = CreateTemporaryBeside(path, temporary, error);
    if (!file) {
        return error;
    }
    errno = 0;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                   std::fflush(file.get()) == 0;
    if (!written) {
        error = LastError();
    }
    if (std::fclose(file.release()) != 0 && !error) {
        error = LastError();
    }
    if (!error) {
        std::filesystem::rename(temporary, path, error);
    }
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
    return error;
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
