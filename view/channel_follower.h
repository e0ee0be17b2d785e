#pragma once

namespace korvane {

class ChannelState;
struct KeyWithLamp;
struct PanelForm;

// Sets an on/off key and its lamp to the channel's value.
void ShowKey(const KeyWithLamp& pair, int value);

// The channel values the front panel shows in its fields, keys, lamps and switches.
struct PanelValues {
    double frequency = 0.0;
    double offset = 0.0;
    float amplitude = 0.0f;
    float phase = 0.0f;
    int waveType = 0;
    int outputOn = 0;
    int measureOn = 0;
    int attenuate20dB = 0;
    int extTrigger = 0;
    int singleWave = 0;
    int triggerEdge = 0;
    int measureFrequency = 0;

    static PanelValues Of(const ChannelState& channel);
    bool operator==(const PanelValues&) const = default;
};

// Keeps the panel in step with changes made to the channel elsewhere (remote control), once per
// timer tick. A control is rewritten only when its channel value changed since the last look and
// the control shows something else: a knob being turned is not disturbed while the channel stays
// put, and a value a field cannot hold is rewritten once rather than on every tick. A field the
// user is typing into keeps its text; a value that arrived meanwhile shows when the entry ends
// (Enter or leaving the field), unless the user's own entry replaced it. Writing a control never
// reaches the device, because the panel's handlers react to the user only.
class ChannelFollower {
  public:
    // Takes the channel's values as what the panel shows now.
    void Start(const ChannelState& channel);
    // Brings the panel up to date; true when the wave type changed, so the view lays itself out.
    bool Follow(const PanelForm& form, const ChannelState& channel);

  private:
    PanelValues seen_;
};

}  // namespace korvane
