// The controls draw their state: what a user sees follows Value.
#include <gtest/gtest.h>

#include "image_probe.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/on_off.h"
#include "view/controls/turn_button.h"

namespace korvane {
namespace {

using test::Grab;

bool Reddish(QColor c) {
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}
bool Greenish(QColor c) {
    return c.green() > 180 && c.red() < 150;
}
bool Amber(QColor c) {
    return c.red() > 200 && c.green() > 120 && c.blue() < 100;
}
int Brightness(QColor c) {
    return (c.red() + c.green() + c.blue()) / 3;
}

TEST(ControlPaintingTest, KnobPointerFollowsTheAngle) {
    CTurnButton knob;
    knob.resize(knob.sizeHint());
    // The pointer runs from near the centre (41, 41.5) towards the rim.
    const QPoint above(41, 23);
    const QPoint below(41, 60);

    QImage image = Grab(knob);
    EXPECT_TRUE(Reddish(image.pixelColor(above)));
    EXPECT_FALSE(Reddish(image.pixelColor(below)));

    knob.SetValue(CTurnButton::kFullTurn / 2);
    image = Grab(knob);
    EXPECT_FALSE(Reddish(image.pixelColor(above)));
    EXPECT_TRUE(Reddish(image.pixelColor(below)));
}

TEST(ControlPaintingTest, LedLightsUp) {
    CLED led;
    led.resize(led.sizeHint());
    EXPECT_FALSE(Greenish(Grab(led).pixelColor(6, 6)));
    led.SetValue(true);
    EXPECT_TRUE(Greenish(Grab(led).pixelColor(6, 6)));
}

TEST(ControlPaintingTest, PressedKeyShowsItsIndicator) {
    COnOff key;
    key.resize(key.sizeHint());
    EXPECT_FALSE(Amber(Grab(key).pixelColor(16, 8)));
    key.SetValue(true);
    EXPECT_TRUE(Amber(Grab(key).pixelColor(16, 8)));
}

TEST(ControlPaintingTest, SwitchThumbSitsOnTheSideOfItsPosition) {
    CLeftRight sw;
    sw.resize(sw.sizeHint());
    const QPoint left(7, 7);
    const QPoint right(22, 7);
    QImage image = Grab(sw);
    EXPECT_GT(Brightness(image.pixelColor(left)), 100);
    EXPECT_LT(Brightness(image.pixelColor(right)), 70);

    sw.SetValue(true);
    image = Grab(sw);
    EXPECT_LT(Brightness(image.pixelColor(left)), 70);
    EXPECT_GT(Brightness(image.pixelColor(right)), 100);
}

TEST(ControlPaintingTest, ControlsPaintAtAnySize) {
    CTurnButton knob;
    COnOff key;
    CLED led;
    CLeftRight sw;
    for (QWidget* widget : std::initializer_list<QWidget*>{&knob, &key, &led, &sw}) {
        for (const QSize size : {QSize(1, 1), QSize(3, 200), QSize(300, 120)}) {
            widget->resize(size);
            EXPECT_EQ(Grab(*widget).size(), size);
        }
    }
}

}  // namespace
}  // namespace korvane
