#include "view/wave_texts.h"

#include <algorithm>

namespace korvane {

QString AmplitudeText(float amplitude, double frequency) {
    return QString::asprintf("Amp = %.3fV  Freq = %.3fHz", double(amplitude), frequency);
}

QString CursorReadout(float volts, const QString& label, int index) {
    return QString::asprintf("%5.3fV ", double(volts)) + label + QString::asprintf(" %d", index);
}

QString DigitalWordsText(std::uint16_t digitalOut, std::uint16_t digitalIn, bool lowerCase) {
    const unsigned out = digitalOut;
    const unsigned in = digitalIn & 0x3Fu;
    return lowerCase ? QString::asprintf("Dout:%2.3xH   Din:%2.2xH", out, in)
                     : QString::asprintf("Dout:%.3XH   Din:%.2XH", out, in);
}

QString PointsPerPeriodText(int pointCount, int periodCount) {
    return QString::asprintf("%d Points per Period", pointCount / std::max(1, periodCount));
}

}  // namespace korvane
