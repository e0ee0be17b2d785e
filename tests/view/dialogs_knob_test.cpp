// The Square and Ramp dialogs with the panel's own knob.
#include <gtest/gtest.h>

#include <QTest>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/poll_coordinator.h"
#include "view/controls/turn_button.h"
#include "view/dialog_knob_maker.h"
#include "view/dialogs/dialog_knob.h"
#include "view/dialogs/duty_dialog.h"
#include "view/entry/num_edit.h"

namespace korvane {
namespace {

class PanelKnobDialogTest : public ::testing::Test {
  protected:
    PanelKnobDialogTest() : library(1), channel(library, coordinator) { UsePanelKnobInDialogs(); }
    ~PanelKnobDialogTest() override { SetDialogKnobMaker(nullptr); }

    SimulatedDeviceLibrary library;
    PollCoordinator coordinator;
    ChannelState channel;
};

TEST_F(PanelKnobDialogTest, TheSquareKnobIsThePanelKnobPlacedAtTheDuty) {
    channel.squareDuty = 0.25f;
    DutyDialog dialog(channel, DutyDialog::kSquare);
    auto* knob = qobject_cast<CTurnButton*>(dialog.Knob());
    ASSERT_NE(knob, nullptr);
    EXPECT_NEAR(knob->Value(), 0.25 * 6.28, 1e-6);
}

TEST_F(PanelKnobDialogTest, AFullTurnGivesDutyOne) {
    DutyDialog dialog(channel, DutyDialog::kSquare);
    auto* knob = qobject_cast<CTurnButton*>(dialog.Knob());
    ASSERT_NE(knob, nullptr);
    knob->SetValue(CTurnButton::kFullTurn);
    emit knob->MouseUp(1, 0, 0, 0);
    EXPECT_FLOAT_EQ(channel.squareDuty, 1.0f);
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("1.000"));
}

TEST_F(PanelKnobDialogTest, TheWheelTurnsTheRampDuty) {
    channel.rampDuty = 0.5f;
    DutyDialog dialog(channel, DutyDialog::kRamp);
    dialog.show();
    auto* knob = qobject_cast<CTurnButton*>(dialog.Knob());
    ASSERT_NE(knob, nullptr);
    QWheelEvent notch(QPointF(knob->width() / 2.0, knob->height() / 2.0),
                      knob->mapToGlobal(QPointF(knob->width() / 2.0, knob->height() / 2.0)),
                      QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(knob, &notch);
    EXPECT_NE(channel.rampDuty, 0.5f);
    EXPECT_NEAR(channel.rampDuty, DutyFromKnobAngle(knob->Value()), 0.0005f);
    EXPECT_FLOAT_EQ(channel.squareDuty, 0.5f);
}

}  // namespace
}  // namespace korvane
