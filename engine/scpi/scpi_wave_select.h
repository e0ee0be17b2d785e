#pragma once

namespace korvane {
class ChannelState;
}

namespace korvane::scpi {

// As the panel selects a wave type: the arbitrary wave starts at phase 0, and a frequency above
// what the new type allows comes down to its maximum.
void SelectWaveType(ChannelState& channel, int type);

}  // namespace korvane::scpi
