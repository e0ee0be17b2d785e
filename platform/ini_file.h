#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_document.h"

namespace korvane {

// Profile access to one INI file by path. The file is read afresh for every call; it may be 8-bit
// text, UTF-8 or UTF-16 with a byte-order mark, and is written back as UTF-8.
class IniFile {
  public:
    // What ReadString gives for a missing file, section or key.
    static constexpr const char* kMissingValue = "-1";

    explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& Path() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key) const;
    // With overwrite false the key is written only when it already exists. Returns 0 when written,
    // 1 when nothing was written because the key did not exist, otherwise an errno value (an
    // existing file that cannot be read is left alone rather than replaced). File and section are
    // created as needed; the file is replaced through a temporary file, never written in place.
    int WriteString(std::string_view section, std::string_view key, std::string_view value,
                    bool overwrite) const;
    // Empties keys and values and appends every entry of the section in file order.
    // Returns the number of entries (0 for a missing or unreadable file).
    int ReadSection(std::string_view section, std::vector<std::string>& keys,
                    std::vector<std::string>& values) const;

  private:
    // The parsed file; an empty document when the file is missing. errorCode is set for a file
    // that exists but cannot be read.
    IniDocument Load(int& errorCode) const;

    std::filesystem::path path_;
};

}  // namespace korvane
