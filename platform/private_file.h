#pragma once

#include <filesystem>
#include <string_view>

namespace korvane {

// Writes bytes as fileName in folderName-<uid> below parent (a shared folder such as the temporary
// one), for the current user only: the folder is created with mode 0700 and accepted only when it
// is a real folder owned by this user, and the file is created afresh with mode 0600 and renamed
// into place, so a link someone else placed there is replaced, never followed.
// Returns the file's path, or an empty path when it could not be written.
std::filesystem::path WritePrivateFile(const std::filesystem::path& parent,
                                       std::string_view folderName, std::string_view fileName,
                                       std::string_view bytes);

}  // namespace korvane
