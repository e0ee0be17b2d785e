#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace korvane {

// Writes `bytes` to a new file beside `path` and renames it over `path`, so that a crash or a
// full disk never leaves half a file behind. Returns the first error; on error `path` is untouched.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Reads at most `limit` bytes from the start of the file into `bytes`.
std::error_code ReadFilePrefix(const std::filesystem::path& path, std::size_t limit,
                               std::string& bytes);

}  // namespace korvane
