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

TEST(ScrollToShowTest, MovesTheLeastThatShowsTheWindowOrItsTitleBar) {
    const QRect view(0, 0, 600, 500);
    const struct {
        const char* name;
        QRect window;
        QPoint shift;
    } cases[] = {
        {"already whole in view", {10, 20, 300, 200}, {0, 0}},
        {"exactly the view", {0, 0, 600, 500}, {0, 0}},
        {"below: its bottom comes up to the view's", {0, 560, 600, 280}, {0, 340}},
        {"above: its top comes down to the view's", {0, -300, 600, 280}, {0, -300}},
        {"right and below", {450, 400, 300, 200}, {150, 100}},
        {"taller than the view: its top shows", {0, 200, 600, 800}, {0, 200}},
        {"wider than the view, left of it: its left edge shows", {-900, 0, 800, 100}, {-900, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ScrollToShow(c.window, view), c.shift);
    }
}

}  // namespace
}  // namespace korvane
