#include "i18n/file_search.h"

#include <algorithm>
#include <deque>
#include <system_error>

namespace korvane {
namespace {

namespace fs = std::filesystem;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Matches(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*") {
        return true;
    }
    constexpr std::size_t kCompared = 3;
    const std::size_t count = std::min(kCompared, pattern.size());
    if (name.size() < count) {
        return false;
    }
    return std::equal(name.end() - count, name.end(), pattern.end() - count,
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

std::vector<fs::directory_entry> SortedEntries(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename() < b.path().filename();
    });
    return entries;
}

}  // namespace

int FileSearch::Search(const std::filesystem::path& folder, const std::string& pattern) {
    // The folder being enumerated stays at the front until its entries are all seen.
    std::deque<std::string> pending{""};
    while (!pending.empty()) {
        const std::string relative = pending.front();
        for (const fs::directory_entry& entry :
             SortedEntries(relative.empty() ? folder : folder / relative)) {
            const std::string name = entry.path().filename().string();
            const std::string path = relative.empty() ? name : relative + "/" + name;
            std::error_code error;
            if (entry.is_symlink(error)) {
                // Links to files count as files; links to folders are never entered.
                if (entry.is_regular_file(error) && Matches(name, pattern)) {
                    results_.push_back(path);
                }
            } else if (entry.is_directory(error)) {
                if (pending.size() >= maxPendingFolders_) {
                    return 0;
                }
                pending.push_back(path);
            } else if (entry.is_regular_file(error) && Matches(name, pattern)) {
                results_.push_back(path);
            }
        }
        pending.pop_front();
    }
    return 1;
}

}  // namespace korvane
