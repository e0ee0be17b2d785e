#include "view/wave_cursor_readout.h"

#include <array>
#include <cmath>

namespace korvane {

double PointSeconds(int index, int count, double frequency) {
    if (count <= 0 || !(frequency > 0.0)) {
        return 0.0;
    }
    return double(index) / (double(count) * frequency);
}

QString EngineeringText(double value, const QString& unit) {
    if (!std::isfinite(value)) {
        return QStringLiteral("-- ") + unit;
    }
    struct Prefix {
        double scale;
        const char* text;
    };
    static const std::array<Prefix, 6> prefixes = {
        {{1e6, "M"}, {1e3, "k"}, {1.0, ""}, {1e-3, "m"}, {1e-6, "\u00B5"}, {1e-9, "n"}}};
    const double magnitude = std::abs(value);
    // Rounding to three decimals may carry into the next prefix (999.9996 m is 1.000).
    for (const Prefix& prefix : prefixes) {
        if (magnitude >= prefix.scale * (1.0 - 5e-7)) {
            return QStringLiteral("%1 %2%3")
                .arg(value / prefix.scale, 0, 'f', 3)
                .arg(QString::fromUtf8(prefix.text), unit);
        }
    }
    return QStringLiteral("0.000 %1").arg(unit);  // below a nanounit, or zero
}

namespace {

// Volts as the Points Edit dialog types them: three decimals, no prefix.
QString VoltsText(double volts) {
    return QStringLiteral("%1 V").arg(volts, 0, 'f', 3);
}

}  // namespace

QString CursorLine(int number, const CursorReading& reading) {
    return QStringLiteral("C%1  t = %2   V = %3")
        .arg(number)
        .arg(EngineeringText(reading.seconds, QStringLiteral("s")), VoltsText(reading.volts));
}

QString CursorDeltaLine(const CursorReading& first, const CursorReading& second) {
    const double deltaT = second.seconds - first.seconds;
    const QString inverse = deltaT == 0.0
                                ? QStringLiteral("-- Hz")
                                : EngineeringText(1.0 / std::abs(deltaT), QStringLiteral("Hz"));
    return QStringLiteral("\u0394t = %1   \u0394V = %2   1/\u0394t = %3")
        .arg(EngineeringText(deltaT, QStringLiteral("s")), VoltsText(second.volts - first.volts),
             inverse);
}

}  // namespace korvane
