#pragma once

#include <vector>

#include "remote/scpi_fields.h"

namespace korvane {
class ChannelState;
}

namespace korvane::scpi {

// As the panel selects a wave type: the arbitrary wave starts at phase 0, and a frequency above
// what the new type allows comes down to its maximum.
void SelectWaveType(ChannelState& channel, int type);

// The wave type words (FUNCtion, APPLy) and the three main values, shared by their own commands
// and by APPLy.
const std::vector<Choice>& WaveChoices();
NumericField FrequencyField();
NumericField AmplitudeField();
NumericField OffsetField();

}  // namespace korvane::scpi
