#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace korvane {

// Writes `bytes` over `path` through a temporary file and a rename (see ReplaceFileContents), so
// a crash or a full disk never leaves half a file behind; on error `path` is untouched. The
// temporaries that earlier writers killed mid-write left beside `path` are removed first.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Reads at most `limit` bytes from the start of the file into `bytes`. Anything but a regular file
// (or a link to one) is refused at once, without blocking: EISDIR for a folder, EINVAL for a pipe,
// socket or device.
std::error_code ReadFilePrefix(const std::filesystem::path& path, std::size_t limit,
                               std::string& bytes);

}  // namespace korvane
