#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvane {

// Finds files below a folder, breadth first: the folder's own files, then those of its
// subfolders, then one level deeper, each folder's entries in name order. Links to folders are not
// followed, so a link loop cannot make the scan run away.
class FileSearch {
  public:
    // Subfolders waiting to be enumerated, the one being enumerated included.
    static constexpr std::size_t kMaxPendingFolders = 4159;
    // Shown by the caller when a search gives up.
    static constexpr const char* kTooManySubfoldersMessage = "同一层子目录太多!";

    explicit FileSearch(std::size_t maxPendingFolders = kMaxPendingFolders)
        : maxPendingFolders_(maxPendingFolders) {}

    // Appends every matching file, as a path relative to folder joined with '/', to Results().
    // A pattern "*.*" matches every file; any other pattern matches names whose last three
    // characters equal the pattern's last three, ignoring case ("*.lug" finds "x.LUG").
    // Returns 1 on success, 0 when it gave up because too many subfolders were pending (the
    // results found until then stay).
    int Search(const std::filesystem::path& folder, const std::string& pattern);

    const std::vector<std::string>& Results() const { return results_; }

  private:
    std::size_t maxPendingFolders_;
    std::vector<std::string> results_;
};

}  // namespace korvane
