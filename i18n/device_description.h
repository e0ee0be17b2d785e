#pragma once

#include <string>

#include "engine/device_library/device_library.h"

namespace korvane {

class LanguageTable;

// What the device is called in `language`: "Sound card left output (default)" in English; empty
// for a generator, which its window's name describes well enough. A language file's wording is
// taken only when it holds the one "%s" the PCM's name goes into.
std::string DeviceDescription(const DeviceIdentity& identity, const LanguageTable& language);

}  // namespace korvane
