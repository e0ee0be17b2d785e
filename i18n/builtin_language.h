#pragma once

#include <string_view>

namespace korvane {

// The bytes of the built-in English language file, compiled into the program.
std::string_view BuiltInLanguageBytes();

}  // namespace korvane
