#include <gtest/gtest.h>

#include "support/param_name.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "user_gestures.h"
#include "view/controls/turn_button.h"

namespace korvane {
namespace {

constexpr double kTurn = CTurnButton::kFullTurn;

// Records each notification with the knob's value at the moment it arrives.
struct KnobEvents {
    explicit KnobEvents(CTurnButton& knob) {
        QObject::connect(&knob, &CTurnButton::MouseDown,
                         [this, &knob](int, int, int, int) { Add("down", knob); });
        QObject::connect(&knob, &CTurnButton::MouseMove,
                         [this, &knob](int, int, int, int) { Add("move", knob); });
        QObject::connect(&knob, &CTurnButton::MouseUp,
                         [this, &knob](int, int, int, int) { Add("up", knob); });
    }
    void Add(const char* name, const CTurnButton& knob) {
        names.push_back(name);
        values.push_back(knob.Value());
    }
    std::vector<std::string> names;
    std::vector<double> values;
};

// A point at `angle` (knob units, 0 at the top, clockwise) and `distance` from the centre.
QPoint PointAt(const CTurnButton& knob, double angle, double distance = 30.0) {
    const double radians = angle / kTurn * 2.0 * std::numbers::pi;
    const QPointF centre = QRectF(knob.rect()).center();
    return QPointF(centre.x() + distance * std::sin(radians),
                   centre.y() - distance * std::cos(radians))
        .toPoint();
}

using test::SendWheel;

class TurnButtonTest : public ::testing::Test {
  protected:
    void SetUp() override { knob.resize(knob.sizeHint()); }
    CTurnButton knob;
};

TEST_F(TurnButtonTest, LaidOutAtTheFormSize) {
    EXPECT_EQ(knob.sizeHint(), QSize(82, 83));
}

TEST_F(TurnButtonTest, DragTurnsByTheSweptAngleAndNotifiesAfterTheChange) {
    KnobEvents events(knob);
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, PointAt(knob, kTurn / 4));
    QTest::mouseMove(&knob, PointAt(knob, kTurn / 2));
    QTest::mouseMove(&knob, PointAt(knob, 3 * kTurn / 4));
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, PointAt(knob, 3 * kTurn / 4));

    ASSERT_EQ(events.names, (std::vector<std::string>{"down", "move", "move", "up"}));
    // Pressing does not jump the pointer; each move has already turned it when announced.
    EXPECT_DOUBLE_EQ(events.values[0], 0.0);
    EXPECT_NEAR(events.values[1], kTurn / 4, 0.05);
    EXPECT_NEAR(events.values[2], kTurn / 2, 0.05);
    EXPECT_NEAR(events.values[3], kTurn / 2, 0.05);
    EXPECT_NEAR(knob.Value(), kTurn / 2, 0.05);
}

TEST_F(TurnButtonTest, TurningPastTheTopWrapsIntoOneTurn) {
    knob.SetValue(6.0);
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, PointAt(knob, kTurn - 0.3));
    QTest::mouseMove(&knob, PointAt(knob, 0.3));
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, PointAt(knob, 0.3));
    // 6.0 + 0.6 is past a full turn: the angle comes back across 0.
    EXPECT_NEAR(knob.Value(), 6.6 - kTurn, 0.05);
}

TEST_F(TurnButtonTest, TurningBackPastTheTopWrapsToTheEndOfTheTurn) {
    knob.SetValue(0.1);
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, PointAt(knob, 0.2));
    QTest::mouseMove(&knob, PointAt(knob, kTurn - 0.2));
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, PointAt(knob, kTurn - 0.2));
    EXPECT_NEAR(knob.Value(), kTurn - 0.3, 0.05);
}

TEST_F(TurnButtonTest, MovesNearTheCentreDoNotTurn) {
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, PointAt(knob, 1.0));
    QTest::mouseMove(&knob, PointAt(knob, 4.0, 2.0));
    EXPECT_DOUBLE_EQ(knob.Value(), 0.0);
    QTest::mouseRelease(&knob, Qt::LeftButton);
}

TEST_F(TurnButtonTest, OtherButtonsNeitherTurnNorNotify) {
    KnobEvents events(knob);
    QTest::mousePress(&knob, Qt::RightButton, Qt::NoModifier, PointAt(knob, 1.0));
    QTest::mouseMove(&knob, PointAt(knob, 2.0));
    QTest::mouseRelease(&knob, Qt::RightButton, Qt::NoModifier, PointAt(knob, 2.0));
    EXPECT_TRUE(events.names.empty());
    EXPECT_DOUBLE_EQ(knob.Value(), 0.0);
}

TEST_F(TurnButtonTest, WheelNotchTurnsThenDeliversPressAndRelease) {
    KnobEvents events(knob);
    SendWheel(knob, 120);
    ASSERT_EQ(events.names, (std::vector<std::string>{"down", "up"}));
    EXPECT_DOUBLE_EQ(events.values[0], CTurnButton::kWheelStep);
    EXPECT_DOUBLE_EQ(knob.Value(), CTurnButton::kWheelStep);

    SendWheel(knob, -240);
    EXPECT_NEAR(knob.Value(), kTurn - CTurnButton::kWheelStep, 1e-9);
}

// An arrow or page key and the notches it turns the knob by.
struct KnobKeyCase {
    Qt::Key key;
    int notches;
};

class TurnButtonKeyTest : public ::testing::TestWithParam<KnobKeyCase> {};

TEST_P(TurnButtonKeyTest, KeyTurnsByNotchesLikeTheWheel) {
    CTurnButton knob;
    knob.resize(knob.sizeHint());
    const double start = kTurn / 2;
    knob.SetValue(start);
    KnobEvents events(knob);
    QTest::keyClick(&knob, GetParam().key);
    ASSERT_EQ(events.names, (std::vector<std::string>{"down", "up"}));
    EXPECT_NEAR(knob.Value(), start + GetParam().notches * CTurnButton::kWheelStep, 1e-9);
    EXPECT_NEAR(events.values[0], knob.Value(), 1e-12);  // turned before the press arrives
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TurnButtonKeyTest,
    ::testing::Values(KnobKeyCase{Qt::Key_Up, 1}, KnobKeyCase{Qt::Key_Right, 1},
                      KnobKeyCase{Qt::Key_Down, -1}, KnobKeyCase{Qt::Key_Left, -1},
                      KnobKeyCase{Qt::Key_PageUp, 4}, KnobKeyCase{Qt::Key_PageDown, -4}));

TEST_F(TurnButtonTest, OtherKeysLeaveItAlone) {
    KnobEvents events(knob);
    QTest::keyClick(&knob, Qt::Key_A);
    QTest::keyClick(&knob, Qt::Key_Space);
    EXPECT_TRUE(events.names.empty());
    EXPECT_DOUBLE_EQ(knob.Value(), 0.0);
}

TEST_F(TurnButtonTest, FineWheelStepsAddUpToANotch) {
    KnobEvents events(knob);
    SendWheel(knob, 60);
    EXPECT_TRUE(events.names.empty());
    SendWheel(knob, 60);
    EXPECT_EQ(events.names.size(), 2u);
    EXPECT_DOUBLE_EQ(knob.Value(), CTurnButton::kWheelStep);
}

TEST_F(TurnButtonTest, ABigWheelTurnArrivesInGesturesOfLessThanHalfATurn) {
    KnobEvents events(knob);
    SendWheel(knob, 40 * 120);
    double previous = 0.0;
    for (std::size_t i = 0; i < events.values.size(); i += 2) {
        double step = events.values[i] - previous;
        step += step < 0 ? kTurn : 0.0;
        EXPECT_LT(step, kTurn / 2);
        previous = events.values[i];
    }
    EXPECT_EQ(events.names.size(), 6u);  // 16 + 16 + 8 notches
    EXPECT_NEAR(knob.Value(), WrapTurn(40 * CTurnButton::kWheelStep), 1e-9);
}

struct WrittenAngle {
    double written;
    double read;
};

class TurnButtonValueTest : public ::testing::TestWithParam<WrittenAngle> {};

TEST_P(TurnButtonValueTest, WrittenValueReadsBack) {
    CTurnButton knob;
    knob.setProperty("Value", GetParam().written);
    EXPECT_NEAR(knob.property("Value").toDouble(), GetParam().read, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, TurnButtonValueTest,
    ::testing::Values(WrittenAngle{0.0, 0.0}, WrittenAngle{3.14, 3.14},
                      WrittenAngle{kTurn, kTurn},  // duty 1.0 of the Square dialog
                      WrittenAngle{7.0, 7.0 - kTurn}, WrittenAngle{-0.5, kTurn - 0.5},
                      WrittenAngle{std::nan(""), 0.0}, WrittenAngle{INFINITY, 0.0}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName("angle", p.written);
    });

}  // namespace
}  // namespace korvane
