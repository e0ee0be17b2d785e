#include "i18n/menu_keys.h"

#include <gtest/gtest.h>

#include "support/param_name.h"

#include <vector>

namespace korvane {
namespace {

struct KeyCase {
    std::vector<int> positions;
    int key;
};

class MenuKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(MenuKeyTest, PositionsGiveKey) {
    EXPECT_EQ(MenuItemKey(GetParam().positions), GetParam().key);
}

TEST_P(MenuKeyTest, KeyGivesPositions) {
    EXPECT_EQ(MenuItemPositions(GetParam().key), GetParam().positions);
}

INSTANTIATE_TEST_SUITE_P(Levels, MenuKeyTest,
                         ::testing::Values(KeyCase{{0}, 800}, KeyCase{{7}, 807}, KeyCase{{99}, 899},
                                           KeyCase{{0, 0}, 80000}, KeyCase{{0, 11}, 80011},
                                           KeyCase{{5, 4}, 80504}, KeyCase{{99, 99}, 89999},
                                           KeyCase{{5, 4, 0}, 8050400}, KeyCase{{5, 4, 2}, 8050402},
                                           KeyCase{{1, 2, 3, 4}, 801020304},
                                           KeyCase{{99, 99, 99, 99}, 899999999}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName("positions", p.positions);
                         });

TEST(MenuKeyTest, NoKeyBeyondFourLevelsOrPositionsOutsideTwoDigits) {
    EXPECT_EQ(MenuItemKey(std::vector<int>{}), std::nullopt);
    EXPECT_EQ(MenuItemKey(std::vector<int>{0, 0, 0, 0, 0}), std::nullopt);
    EXPECT_EQ(MenuItemKey(std::vector<int>{100}), std::nullopt);
    EXPECT_EQ(MenuItemKey(std::vector<int>{3, -1}), std::nullopt);
}

}  // namespace
}  // namespace korvane
