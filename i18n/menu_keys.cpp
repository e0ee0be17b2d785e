#include "i18n/menu_keys.h"

namespace korvane {
namespace {

// The base key of each depth: 8, 80, 8 000 and 80 000 hundreds.
constexpr int kDepthBase[kMaxMenuDepth] = {800, 80000, 8000000, 800000000};

}  // namespace

std::optional<int> MenuItemKey(std::span<const int> positions) {
    if (positions.empty() || positions.size() > kMaxMenuDepth) {
        return std::nullopt;
    }
    int offset = 0;
    for (const int position : positions) {
        if (position < 0 || position > kMaxMenuPosition) {
            return std::nullopt;
        }
        offset = offset * 100 + position;
    }
    return kDepthBase[positions.size() - 1] + offset;
}

std::vector<int> MenuItemPositions(int key) {
    int depth = 4;
    if (key < 1000) {
        depth = 1;
    } else if (key < 100000) {
        depth = 2;
    } else if (key < 10000000) {
        depth = 3;
    }
    std::vector<int> positions(static_cast<std::size_t>(depth));
    for (int level = depth - 1; level >= 0; --level) {
        positions[static_cast<std::size_t>(level)] = key % 100;
        key /= 100;
    }
    return positions;
}

}  // namespace korvane
