#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Turns the bytes of a text file into valid UTF-8. A byte-order mark selects UTF-8, UTF-16 LE or
// UTF-16 BE; without one the bytes are taken as UTF-8 when they are valid UTF-8 and as 8-bit
// Windows-1252 text otherwise. Malformed sequences become U+FFFD; the mark itself is dropped.
std::string DecodeText(std::string_view bytes);

}  // namespace korvane
