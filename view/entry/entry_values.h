#pragma once

#include <string_view>

namespace korvane {

// A value typed into one of the panel's main fields, in base units (Hz, V, periods), and whether
// it had to be brought into range (the field then shows the limited value).
struct TypedValue {
    double value = 0.0;
    bool limited = false;
};

// A typed frequency in Hz: the text is read in the selected unit (0 Hz, 1 kHz, 2 MHz) and kept
// within 1 Hz .. the wave type's maximum. A text that is not made of digits, "." and "-" counts
// as 1000 in that unit.
TypedValue TypedFrequency(std::string_view text, int frequencyUnit, int waveType);

// A frequency text that reads as zero but can still become a number (empty, "-", ".", "0.0"):
// the user is in the middle of typing, so the field is left as it is and nothing is applied.
bool UnfinishedFrequency(std::string_view text);

// A typed amplitude in volts (unit 0 mV, 1 V), kept within 0 .. 3.5 V.
TypedValue TypedAmplitude(std::string_view text, int voltUnit);

// A typed offset in volts (unit 0 mV, 1 V), kept within -7 .. 7 V.
TypedValue TypedOffset(std::string_view text, int voltUnit);

// A typed phase in periods; a text that is not a number reads as 0. `limited` says the value lies
// outside 0..1, which the field then corrects.
TypedValue TypedPhase(std::string_view text);

}  // namespace korvane
