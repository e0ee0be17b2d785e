#pragma once

namespace korvane {

class ChannelState;

// Turns the channel's current wave into arbitrary points, as the device window does when the
// arbitrary wave type is chosen: one period sampled at pointCount / periodCount points, in volts,
// on the display time base with one period across, so level, offset, phase and shape are kept.
// Also sets the sample rate (200 MHz / clock divider) and the scroll range. The wave type itself
// is left to the caller.
void DeriveArbitraryPoints(ChannelState& channel);

}  // namespace korvane
