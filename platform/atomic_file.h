#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace korvane {

// Writes `bytes` over `path` through a temporary file and a rename (see ReplaceFileContents), so
// a crash or a full disk never leaves half a file behind; on error `path` is untouched.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Reads at most `limit` bytes from the start of the file into `bytes`.
std::error_code ReadFilePrefix(const std::filesystem::path& path, std::size_t limit,
                               std::string& bytes);

}  // namespace korvane
