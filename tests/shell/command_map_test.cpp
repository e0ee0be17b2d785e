#include "document/command_map.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(CommandMap, TheFirstTableWithAnActionRunsIt) {
    CommandMap view;
    CommandMap document;
    std::vector<std::string> ran;
    view.OnCommand(1, [&] { ran.push_back("view"); });
    document.OnCommand(1, [&] { ran.push_back("document"); });
    document.OnCommand(2, [&] { ran.push_back("document 2"); });
    EXPECT_TRUE(RouteCommand({&view, &document}, 1));
    EXPECT_TRUE(RouteCommand({&view, &document}, 2));
    EXPECT_FALSE(RouteCommand({&view, &document}, 3));
    EXPECT_EQ(ran, (std::vector<std::string>{"view", "document 2"}));
}

TEST(CommandMap, UpdateRuleAndActionMayLiveInDifferentTables) {
    CommandMap view;
    CommandMap document;
    bool allowed = false;
    view.OnCommand(7, [] {});
    document.OnUpdate(7, [&](CommandUi& ui) { ui.enabled = allowed; });
    EXPECT_FALSE(RouteUpdate({&view, &document}, 7).enabled);
    allowed = true;
    EXPECT_TRUE(RouteUpdate({&view, &document}, 7).enabled);
}

TEST(CommandMap, WithoutRuleAnItemIsEnabledExactlyWhenSomeTableHasAnAction) {
    CommandMap frame;
    frame.OnCommand(5, [] {});
    EXPECT_TRUE(RouteUpdate({nullptr, &frame}, 5).enabled);
    EXPECT_FALSE(RouteUpdate({nullptr, &frame}, 6).enabled);
}

TEST(CommandMap, RangesServeEveryIdInThem) {
    CommandMap frame;
    int chosen = -1;
    frame.OnCommandRange(9001, 11001, [&](int id) { chosen = id - 9001; });
    frame.OnUpdateRange(9001, 9101, [&](int id, CommandUi& ui) { ui.checked = id == 9003; });
    EXPECT_TRUE(frame.Execute(9004));
    EXPECT_EQ(chosen, 3);
    EXPECT_TRUE(frame.Execute(11001));
    EXPECT_FALSE(frame.Execute(11002));
    EXPECT_TRUE(RouteUpdate({&frame}, 9003).checked);
    EXPECT_FALSE(RouteUpdate({&frame}, 9004).checked);
    // Beyond the update range the item is still enabled through the command range.
    EXPECT_TRUE(RouteUpdate({&frame}, 9500).enabled);
}

}  // namespace
}  // namespace korvane
