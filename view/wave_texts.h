#pragma once

#include <QString>
#include <cstdint>

namespace korvane {

// The texts of the waveform picture, in their exact formats.

// The program's own templates of the two lines a language may reword. A language's template is
// used only when it has exactly their conversions in the same order; otherwise these are.
inline constexpr char kAmplitudeFormat[] = "Amp = %.3lfV  Freq = %.3lfHz";
inline constexpr char kPointsPerPeriodFormat[] = "%d Points per Period";

// "Amp = 2.000V  Freq = 1000.000Hz", or the same values in `format` when it has the same
// conversions.
QString AmplitudeText(float amplitude, double frequency,
                      const QString& format = QString::fromLatin1(kAmplitudeFormat));
// " 1.250V At Point 17": the point's value, the label and the point's index.
QString CursorReadout(float volts, const QString& label, int index);
// "Dout:ABCH   Din:3FH" on screen; the report writes the digits in lower case. Only the six
// low bits of the input word are pins.
QString DigitalWordsText(std::uint16_t digitalOut, std::uint16_t digitalIn, bool lowerCase);
// "1000 Points per Period", or the same count in `format` when it has the same conversions; a
// period count below 1 counts as 1.
QString PointsPerPeriodText(int pointCount, int periodCount,
                            const QString& format = QString::fromLatin1(kPointsPerPeriodFormat));

}  // namespace korvane
