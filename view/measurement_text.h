#pragma once

#include <string>

namespace korvane {

// The readout of the panel: the event count as eleven digits, or the measured frequency in Hz,
// KHz or MHz with two decimals.
std::string MeasurementText(int measureFrequency, int counterValue, double measuredFrequency);
// A frequency in Hz, KHz or MHz with two decimals.
std::string FrequencyReadoutText(double hertz);

}  // namespace korvane
