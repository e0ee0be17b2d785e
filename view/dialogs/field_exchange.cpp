#include "view/dialogs/field_exchange.h"

#include <cmath>

namespace korvane {

std::optional<int> ExchangeInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<double> ExchangeNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace korvane
