#pragma once

#include <vector>

#include "remote/scpi_fields.h"

namespace korvane {
class ChannelState;
}

namespace korvane::scpi {

// The wave type words (FUNCtion, APPLy) and the three main values, shared by their own commands
// and by APPLy.
const std::vector<Choice>& WaveChoices();
NumericField FrequencyField();
NumericField AmplitudeField();
NumericField OffsetField();

}  // namespace korvane::scpi
