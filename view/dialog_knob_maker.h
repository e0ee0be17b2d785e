#pragma once

namespace korvane {

// Gives the Square and Ramp dialogs the panel's knob (CTurnButton) to turn; call once at start.
void UsePanelKnobInDialogs();

}  // namespace korvane
