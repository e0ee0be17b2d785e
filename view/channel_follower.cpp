#include "view/channel_follower.h"

#include "engine/channel_state.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/on_off.h"
#include "view/entry/step_edit.h"
#include "view/panel_form.h"

namespace korvane {
namespace {

// The field's value is compared in the channel's precision: amplitude and phase are stored as
// single precision, so a typed 1.234567 V is what the channel holds.
template <typename Value>
void FollowField(CStepEdit& field, Value value) {
    if (static_cast<Value>(field.GetValue()) != value) {
        field.SetValue(value);
        field.ShowValue();
    }
}

// The user has typed into the field since it was last written or its entry ended.
bool BeingTypedInto(const CStepEdit& field) {
    return field.hasFocus() && field.isModified();
}

void FollowSwitch(CLeftRight& control, bool right) {
    if (control.Value() != right) {
        control.SetValue(right);
    }
}

}  // namespace

void ShowKey(const KeyWithLamp& pair, int value) {
    const bool on = value != 0;
    if (pair.key->Value() != on) {
        pair.key->SetValue(on);
    }
    if (pair.lamp->Value() != on) {
        pair.lamp->SetValue(on);
    }
}

PanelValues PanelValues::Of(const ChannelState& channel) {
    PanelValues values;
    values.frequency = channel.frequency;
    values.offset = channel.offset;
    values.amplitude = channel.amplitude;
    values.phase = channel.phase;
    values.waveType = channel.waveType;
    values.outputOn = channel.outputOn;
    values.measureOn = channel.measureOn;
    values.attenuate20dB = channel.attenuate20dB;
    values.extTrigger = channel.extTrigger;
    values.singleWave = channel.singleWave;
    values.triggerEdge = channel.triggerEdge;
    values.measureFrequency = channel.measureFrequency;
    return values;
}

void ChannelFollower::Start(const ChannelState& channel) {
    seen_ = PanelValues::Of(channel);
}

bool ChannelFollower::Follow(const PanelForm& form, const ChannelState& channel) {
    const PanelValues now = PanelValues::Of(channel);
    if (now == seen_) {
        return false;
    }
    const PanelValues before = seen_;
    seen_ = now;
    const auto changed = [&](auto member) { return now.*member != before.*member; };

    // The wave type first: the frequency field's upper limit follows it.
    const bool waveTypeChanged = changed(&PanelValues::waveType);
    if (waveTypeChanged) {
        for (int type = 0; type < int(form.waveKeys.size()); ++type) {
            if (form.waveKeys[type]->Value() != (type == now.waveType)) {
                form.waveKeys[type]->SetValue(type == now.waveType);
            }
        }
    }
    // A field being typed into keeps the user's text; its new channel value is left unseen, so
    // it shows once the entry ends.
    const auto followField = [&](CStepEdit& field, auto PanelValues::*member) {
        if (!changed(member)) {
            return;
        }
        if (BeingTypedInto(field)) {
            seen_.*member = before.*member;
            return;
        }
        FollowField(field, now.*member);
    };
    followField(*form.frequency, &PanelValues::frequency);
    followField(*form.offset, &PanelValues::offset);
    followField(*form.amplitude, &PanelValues::amplitude);
    followField(*form.phase, &PanelValues::phase);
    const auto followKey = [&](const KeyWithLamp& pair, int PanelValues::*member) {
        if (changed(member)) {
            ShowKey(pair, now.*member);
        }
    };
    followKey(form.outputOn, &PanelValues::outputOn);
    followKey(form.measureOn, &PanelValues::measureOn);
    followKey(form.attenuate20dB, &PanelValues::attenuate20dB);
    followKey(form.extTrigger, &PanelValues::extTrigger);
    followKey(form.singleWave, &PanelValues::singleWave);
    if (changed(&PanelValues::triggerEdge)) {
        FollowSwitch(*form.triggerEdge, now.triggerEdge != 0);
    }
    if (changed(&PanelValues::measureFrequency)) {
        FollowSwitch(*form.measureMode, now.measureFrequency == 0);
    }
    return waveTypeChanged;
}

}  // namespace korvane
