#include "view/wave_texts.h"

#include <algorithm>

#include "i18n/format_template.h"

namespace korvane {

namespace {

QByteArray FormatOr(const QString& checked, const char* own) {
    return checked.isEmpty() ? QByteArray(own) : checked.toUtf8();
}

}  // namespace

QString CheckedLineFormat(const QString& candidate, const char* fallback) {
    return QString::fromStdString(CheckedTemplate(candidate.toStdString(), fallback));
}

QString AmplitudeText(float amplitude, double frequency, const QString& format) {
    return QString::asprintf(FormatOr(format, kAmplitudeFormat).constData(), double(amplitude),
                             frequency);
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

QString PointsPerPeriodText(int pointCount, int periodCount, const QString& format) {
    return QString::asprintf(FormatOr(format, kPointsPerPeriodFormat).constData(),
                             pointCount / std::max(1, periodCount));
}

}  // namespace korvane
