#pragma once

#include "platform/ini_file.h"

namespace korvane {

// The language index remembered in the program's settings file (section "Form", key "Language").
// A missing file or key gives -1 (the built-in language); text that is no number gives 0.
int ReadLanguageIndex(const IniFile& config);
// Writes the index, creating file and section as needed. Returns IniFile::WriteString's result.
int WriteLanguageIndex(const IniFile& config, int index);

}  // namespace korvane
