#pragma once

#include <QString>
#include <cstdint>

namespace korvane {

// The texts of the waveform picture, in their exact formats.

// The program's own templates of the two lines a language may reword.
inline constexpr char kAmplitudeFormat[] = "Amp = %.3lfV  Freq = %.3lfHz";
inline constexpr char kPointsPerPeriodFormat[] = "%d Points per Period";

// A language's template for one of those lines, `fallback` being the program's own. A language
// file is user input: only a template with exactly the fallback's conversions in the same order
// is kept, otherwise the fallback is. Checked once, when a language is applied; the two lines
// below take a template checked here, or an empty one for the program's own.
QString CheckedLineFormat(const QString& candidate, const char* fallback);

// "Amp = 2.000V  Freq = 1000.000Hz", or the same values in a checked `format`.
QString AmplitudeText(float amplitude, double frequency, const QString& format = {});
// " 1.250V At Point 17": the point's value, the label and the point's index.
QString CursorReadout(float volts, const QString& label, int index);
// "Dout:ABCH   Din:3FH" on screen; the report writes the digits in lower case. Only the six
// low bits of the input word are pins.
QString DigitalWordsText(std::uint16_t digitalOut, std::uint16_t digitalIn, bool lowerCase);
// "1000 Points per Period", or the same count in a checked `format`; a period count below 1
// counts as 1.
QString PointsPerPeriodText(int pointCount, int periodCount, const QString& format = {});

}  // namespace korvane
