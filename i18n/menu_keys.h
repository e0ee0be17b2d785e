#pragma once

#include <optional>
#include <span>
#include <vector>

namespace korvane {

// Menu items are named in language files by their position in the menu tree: 800 + i for the bar
// item i, 80000 + 100 i + j for item j of its drop-down, 8000000 + 10000 i + 100 j + k one level
// deeper and 800000000 + 1000000 i + 10000 j + 100 k + l below that. Positions count from 0 and
// include separators.
inline constexpr int kMaxMenuDepth = 4;
inline constexpr int kMaxMenuPosition = 99;

// The key of the item at positions (bar position first). nullopt for an empty path, one deeper
// than kMaxMenuDepth or a position outside 0..kMaxMenuPosition, which has no key of its own.
std::optional<int> MenuItemKey(std::span<const int> positions);

// The positions a key names; the depth follows from the key's size. A key below 800 still gives
// one position (key mod 100); keys are decoded, not validated.
std::vector<int> MenuItemPositions(int key);

}  // namespace korvane
