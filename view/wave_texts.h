#pragma once

#include <QString>
#include <cstdint>

namespace korvane {

// The texts of the waveform picture, in their exact formats.

// "Amp = 2.000V  Freq = 1000.000Hz"
QString AmplitudeText(float amplitude, double frequency);
// " 1.250V At Point 17": the point's value, the label and the point's index.
QString CursorReadout(float volts, const QString& label, int index);
// "Dout:ABCH   Din:3FH" on screen; the report writes the digits in lower case. Only the six
// low bits of the input word are pins.
QString DigitalWordsText(std::uint16_t digitalOut, std::uint16_t digitalIn, bool lowerCase);
// "1000 Points per Period"; a period count below 1 counts as 1.
QString PointsPerPeriodText(int pointCount, int periodCount);

}  // namespace korvane
