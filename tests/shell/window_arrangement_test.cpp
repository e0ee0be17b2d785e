#include <gtest/gtest.h>

#include "shell/window_arrangement.h"

namespace korvane {
namespace {

TEST(CascadeWindowsTest, StepsDownAndRightAtAUsableSizeInsideTheArea) {
    const struct {
        const char* name;
        int count;
        QRect area;
        std::vector<QRect> expected;
    } cases[] = {
        {"one window gets its preferred size", 1, {0, 0, 1000, 800}, {{0, 0, 770, 490}}},
        {"three windows step by 30",
         3,
         {0, 0, 1000, 800},
         {{0, 0, 770, 490}, {30, 30, 770, 490}, {60, 60, 770, 490}}},
        {"a small area shrinks the windows to fit the staircase",
         3,
         {0, 0, 860, 480},
         {{0, 0, 770, 420}, {30, 30, 770, 420}, {60, 60, 770, 420}}},
        {"never below the minimum; the staircase starts again",
         3,
         {0, 0, 600, 330},
         {{0, 0, 560, 280}, {30, 30, 560, 280}, {0, 0, 560, 280}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CascadeWindows(c.count, c.area, {770, 490}, {560, 280}, 30), c.expected);
    }
}

TEST(TileWindowsTest, FillsTheAreaWithAGridOfUsableCells) {
    const struct {
        const char* name;
        int count;
        QRect area;
        std::vector<QRect> expected;
    } cases[] = {
        {"one window fills the area", 1, {0, 0, 1200, 900}, {{0, 0, 1200, 900}}},
        {"two side by side", 2, {0, 0, 1200, 900}, {{0, 0, 600, 900}, {600, 0, 600, 900}}},
        {"four in two rows",
         4,
         {0, 0, 1200, 900},
         {{0, 0, 600, 450}, {600, 0, 600, 450}, {0, 450, 600, 450}, {600, 450, 600, 450}}},
        {"too narrow for two columns: one column, the area scrolls down, room for its bar",
         3,
         {0, 0, 870, 480},
         {{0, 0, 854, 280}, {0, 280, 854, 280}, {0, 560, 854, 280}}},
        {"no windows", 0, {0, 0, 870, 480}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TileWindows(c.count, c.area, {560, 280}, 16), c.expected);
    }
}

}  // namespace
}  // namespace korvane
