#pragma once

#include <filesystem>

#include "formats/file_result.h"

namespace korvane {

class ChannelState;
class LanguageTable;

// The panel a device window leaves for the next one: the 114-byte settings file, which every
// version reads, and for an arbitrary panel its points in a waveform CSV file beside it, named
// like the settings file with ".csv" ("Default.set" keeps its points in "Default.csv").
std::filesystem::path PanelPointsPath(const std::filesystem::path& settingsPath);

// Writes the settings file and, for the arbitrary type, the points file (each through a
// temporary file beside it). Another wave type removes a points file left from before, so no
// later arbitrary panel picks up stale points.
FileResult SavePanel(ChannelState& channel, const std::filesystem::path& settingsPath);

struct PanelLoad {
    FileResult result;
    bool pointsRestored = false;  // an arbitrary panel got its points back
};

// Reads the settings file as LoadSettings does; an arbitrary panel then takes its points from
// the points file. Without that file the panel loads as before; a points file that cannot be
// read leaves the table as it was, with a message naming the file.
PanelLoad LoadPanel(ChannelState& channel, const std::filesystem::path& settingsPath,
                    const LanguageTable& language);

}  // namespace korvane
