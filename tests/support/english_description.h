#pragma once

#include <string>

#include "engine/device_library/device_library.h"
#include "i18n/device_description.h"
#include "i18n/language_table.h"

namespace korvane::testing {

// What the program calls the library's device in its built-in English.
inline std::string EnglishDescription(const DeviceLibrary& library, int device) {
    return DeviceDescription(library.Identify(device), LanguageTable());
}

}  // namespace korvane::testing
