#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/on_off.h"

namespace korvane {
namespace {

TEST(OnOffTest, PressFlipsTheValueBeforeMouseDownArrives) {
    COnOff key;
    key.resize(key.sizeHint());
    std::vector<bool> seen;
    QObject::connect(&key, &COnOff::MouseDown, [&](int button, int, int, int) {
        EXPECT_EQ(button, 1);
        seen.push_back(key.Value());
    });
    QTest::mouseClick(&key, Qt::LeftButton);
    QTest::mouseClick(&key, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(key.Value());
}

TEST(OnOffTest, WrittenValueStaysAndThePressFlipsFromIt) {
    COnOff key;
    key.resize(key.sizeHint());
    key.setProperty("Value", true);
    EXPECT_TRUE(key.property("Value").toBool());
    QTest::mouseClick(&key, Qt::LeftButton);
    EXPECT_FALSE(key.Value());
}

TEST(OnOffTest, RightButtonLeavesItAlone) {
    COnOff key;
    key.resize(key.sizeHint());
    int downs = 0;
    QObject::connect(&key, &COnOff::MouseDown, [&](int, int, int, int) { ++downs; });
    QTest::mouseClick(&key, Qt::RightButton);
    EXPECT_EQ(downs, 0);
    EXPECT_FALSE(key.Value());
}

TEST(OnOffTest, ModifierKeysArriveAsStockShiftBits) {
    COnOff key;
    key.resize(key.sizeHint());
    int shift = -1;
    QObject::connect(&key, &COnOff::MouseDown, [&](int, int s, int, int) { shift = s; });
    QTest::mouseClick(&key, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(shift, 3);
}

TEST(LeftRightTest, ClickArrivesAfterTheSwitchHasMoved) {
    CLeftRight sw;
    sw.resize(sw.sizeHint());
    std::vector<bool> seen;
    QObject::connect(&sw, &CLeftRight::Click, [&] { seen.push_back(sw.Value()); });
    QTest::mouseClick(&sw, Qt::LeftButton);
    QTest::mouseClick(&sw, Qt::LeftButton);
    QTest::mouseClick(&sw, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

TEST(LeftRightTest, WritingThePositionSendsNoClick) {
    CLeftRight sw;
    int clicks = 0;
    QObject::connect(&sw, &CLeftRight::Click, [&] { ++clicks; });
    sw.setProperty("Value", true);
    EXPECT_TRUE(sw.Value());
    EXPECT_EQ(clicks, 0);
}

TEST(OnOffTest, SpaceActsAsALeftPressAtTheCentre) {
    COnOff key;
    key.resize(key.sizeHint());
    EXPECT_EQ(key.focusPolicy(), Qt::StrongFocus);
    std::vector<bool> seen;
    QObject::connect(&key, &COnOff::MouseDown, [&](int button, int, int x, int y) {
        EXPECT_EQ(button, 1);
        EXPECT_NEAR(x, key.width() / 2, 1);
        EXPECT_NEAR(y, key.height() / 2, 1);
        seen.push_back(key.Value());
    });
    QTest::keyClick(&key, Qt::Key_Space);
    QTest::keyClick(&key, Qt::Key_Return);  // not a press
    QTest::keyClick(&key, Qt::Key_Space);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

// Keys pressed on a switch standing at `right`: where it ends and how many Clicks arrive.
struct SwitchKeyCase {
    bool right;
    Qt::Key key;
    bool endsRight;
    int clicks;
};

class LeftRightKeyTest : public ::testing::TestWithParam<SwitchKeyCase> {};

TEST_P(LeftRightKeyTest, KeyMovesTheSwitch) {
    const SwitchKeyCase c = GetParam();
    CLeftRight sw;
    sw.SetValue(c.right);
    int clicks = 0;
    QObject::connect(&sw, &CLeftRight::Click, [&] { ++clicks; });
    QTest::keyClick(&sw, c.key);
    EXPECT_EQ(sw.Value(), c.endsRight);
    EXPECT_EQ(clicks, c.clicks);
}

INSTANTIATE_TEST_SUITE_P(Keys, LeftRightKeyTest,
                         ::testing::Values(SwitchKeyCase{false, Qt::Key_Right, true, 1},
                                           SwitchKeyCase{true, Qt::Key_Right, true, 0},
                                           SwitchKeyCase{true, Qt::Key_Left, false, 1},
                                           SwitchKeyCase{false, Qt::Key_Left, false, 0},
                                           SwitchKeyCase{false, Qt::Key_Space, true, 1},
                                           SwitchKeyCase{true, Qt::Key_Space, false, 1},
                                           SwitchKeyCase{false, Qt::Key_Up, false, 0}));

TEST(LedTest, ShowsWhatIsWrittenAndIgnoresTheMouse) {
    CLED led;
    led.resize(led.sizeHint());
    led.setProperty("Value", true);
    EXPECT_TRUE(led.Value());
    QTest::mouseClick(&led, Qt::LeftButton);
    EXPECT_TRUE(led.Value());
    EXPECT_TRUE(led.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(PanelControlSizeTest, SizeHintsAreTheFormSizes) {
    EXPECT_EQ(COnOff().sizeHint(), QSize(32, 19));
    EXPECT_EQ(CLED().sizeHint(), QSize(12, 12));
    EXPECT_EQ(CLeftRight().sizeHint(), QSize(29, 14));
}

}  // namespace
}  // namespace korvane
