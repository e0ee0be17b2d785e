// Text wave importer: any bytes must parse without a crash; an accepted text gives finite values
// and a detection that matches them, and an error always names its file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/wave_resample.h"
#include "formats/wave_text_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    korvane::ImportedWave wave;
    korvane::ImportError error;
    if (!korvane::ParseWaveText(text, "fuzz.txt", {}, wave, error)) {
        if (error.file != "fuzz.txt" || error.reason.empty()) {
            std::abort();
        }
        return 0;
    }
    if (wave.values.empty() ||
        wave.detection.pointCount != static_cast<long long>(wave.values.size()) ||
        wave.detection.valueColumn < 1 || wave.detection.valueColumn > wave.detection.columns) {
        std::abort();
    }
    for (double value : wave.values) {
        if (!std::isfinite(value)) {
            std::abort();
        }
    }
    korvane::FittedWave table = korvane::FitToTable(wave.values, {});
    if (table.points.empty() || table.points.size() > 4096) {
        std::abort();
    }
    for (float volts : table.points) {
        if (!(volts >= -3.5f && volts <= 3.5f)) {
            std::abort();
        }
    }
    return 0;
}
