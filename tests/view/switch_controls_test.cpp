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
