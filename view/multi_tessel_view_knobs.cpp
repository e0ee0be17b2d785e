// The frequency and amplitude knobs.

#include "view/multi_tessel_view.h"

#include <cmath>

#include "engine/channel_state.h"
#include "view/controls/turn_button.h"
#include "view/entry/step_edit.h"

namespace korvane {

namespace {

// A wheel gesture comes as a press and a release without a mouse button.
constexpr int kNoMouseButton = 0;
constexpr double kKnobStepsPerWheelNotch = CTurnButton::kWheelStep * KnobTurn::kStepsPerRadian;

}  // namespace

void CMultiTesselView::ConnectKnobs() {
    for (CTurnButton* knob : {form_.frequencyKnob, form_.amplitudeKnob}) {
        connect(knob, &CTurnButton::MouseDown, this, [this, knob](int button) {
            if (button != kNoMouseButton) {
                ApplyKnob(*knob, false);
                return;
            }
            // One wheel notch is one step of the field, whatever angle the knob turned by; the
            // release that follows sends the value.
            const bool frequencyKnob = knob == form_.frequencyKnob;
            KnobTurn& turn = frequencyKnob ? frequencyTurn_ : amplitudeTurn_;
            const auto notches =
                static_cast<int>(std::lround(turn.Turn(knob->Value()) / kKnobStepsPerWheelNotch));
            knobTurning_ = true;
            (frequencyKnob ? form_.frequency : form_.amplitude)->Step(notches);
            knobTurning_ = false;
        });
        connect(knob, &CTurnButton::MouseMove, this, [this, knob] { ApplyKnob(*knob, false); });
        connect(knob, &CTurnButton::MouseUp, this, [this, knob] { ApplyKnob(*knob, true); });
    }
}

// While a knob turns only its field follows; the device gets the value when the knob is let go.
void CMultiTesselView::ApplyKnob(CTurnButton& knob, bool released) {
    const bool frequencyKnob = &knob == form_.frequencyKnob;
    CStepEdit& field = frequencyKnob ? *form_.frequency : *form_.amplitude;
    KnobTurn& turn = frequencyKnob ? frequencyTurn_ : amplitudeTurn_;
    knobTurning_ = true;
    field.Step(turn.Turn(knob.Value()));
    if (released) {
        ChannelState& channel = Channel();
        if (frequencyKnob) {
            channel.SetFrequency(field.GetValue());
        } else {
            channel.SetAmplitude(static_cast<float>(field.GetValue()));
        }
        if (channel.waveType != Arbitrary) {
            channel.RequestDownload();
        }
    }
    knobTurning_ = false;
}

}  // namespace korvane
