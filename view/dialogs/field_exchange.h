#pragma once

#include <QString>
#include <optional>

namespace korvane {

// Reading a whole number or a number out of an entry field's text, as the field exchange of the
// dialogs does: surrounding blanks are allowed, anything else makes the text invalid. A number
// may be written with a decimal comma.
std::optional<int> ExchangeInteger(const QString& text);
std::optional<double> ExchangeNumber(const QString& text);

}  // namespace korvane
