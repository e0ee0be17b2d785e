#pragma once

#include <string>
#include <vector>

namespace korvane {

// The printf conversions of a text, in order ("%d", "%.3lf", "%s", "%%"). A '%' that starts no
// conversion the program uses ("%n", "%*d", a '%' at the end) is listed as a lone "%".
std::vector<std::string> FormatSpecifiers(const std::string& text);

// A language file is user input, so a template it gives for a text the program formats is used
// only when it has exactly the conversions of the program's own template, in the same order;
// otherwise, and when it is empty, the program's template `fallback` is.
std::string CheckedTemplate(const std::string& candidate, const std::string& fallback);

// The checked template of a text with one string in it (`fallback` holds one "%s" and no other
// '%'), `value` put in place of its "%s" as it is: a '%' in the value is the value's own.
std::string FillStringTemplate(const std::string& candidate, const std::string& fallback,
                               const std::string& value);

}  // namespace korvane
