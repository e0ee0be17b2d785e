#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Larger files are not read: no text file of the program comes near this size.
inline constexpr std::uintmax_t kMaxTextFileBytes = 16 * 1024 * 1024;

// The bytes of a regular file (or of a link to one). nullopt when it is missing, is no regular
// file (a folder, a pipe that would block), is larger than kMaxTextFileBytes or cannot be read;
// errorCode then tells why (ENOENT when missing).
std::optional<std::string> ReadTextFileBytes(const std::filesystem::path& path, int& errorCode);

// Replaces target with bytes: they go to a new temporary file beside it, which is flushed to disk
// and renamed over target, so target always holds either the old or the new content. An existing
// target keeps its permission bits. Returns 0 or the errno of the step that failed.
int ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// Removes the temporary files ReplaceFileContents left beside target when its process was killed
// mid-write: regular files named ".<name>.tmp.<pid>.<n>" whose process no longer runs. Files of a
// running process and every other name are kept. Returns how many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& target);

}  // namespace korvane
