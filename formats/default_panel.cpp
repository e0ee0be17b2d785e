#include "formats/default_panel.h"

#include <string>
#include <system_error>

#include "engine/channel_state.h"
#include "formats/csv_file.h"
#include "formats/message_texts.h"
#include "formats/settings_file.h"
#include "formats/waveform_data.h"
#include "platform/atomic_file.h"

namespace korvane {

std::filesystem::path PanelPointsPath(const std::filesystem::path& settingsPath) {
    std::filesystem::path points = settingsPath;
    return points.replace_extension(".csv");
}

FileResult SavePanel(ChannelState& channel, const std::filesystem::path& settingsPath) {
    FileResult result = SaveSettings(channel, settingsPath);
    if (!result.ok) {
        return result;
    }
    const std::filesystem::path points = PanelPointsPath(settingsPath);
    if (channel.waveType == Arbitrary) {
        return ExportCsv(channel, points);
    }
    std::error_code ignored;  // a file that is not there, or cannot go, is read only with Arb
    std::filesystem::remove(points, ignored);
    return result;
}

PanelLoad LoadPanel(ChannelState& channel, const std::filesystem::path& settingsPath,
                    const LanguageTable& language) {
    PanelLoad load{LoadSettings(channel, settingsPath, language)};
    if (!load.result.ok || channel.waveType != Arbitrary) {
        return load;
    }
    const std::filesystem::path points = PanelPointsPath(settingsPath);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(points, error))) {
        return load;  // a settings file of an older version, or written without points
    }
    std::string text;
    if (error = ReadFilePrefix(points, kMaxCsvBytes, text); error) {
        load.result.message = CannotReadText(language, points, error);
        return load;
    }
    WaveformData waveform;
    if (const WaveformError refusal = ParseCsv(text, waveform); refusal != WaveformError::None) {
        const std::string why = WaveformErrorText(refusal, language);
        load.result.message =
            CannotReadText(language, points, why.empty() ? "not a waveform CSV file" : why);
        return load;
    }
    StoreWaveform(channel, waveform);
    load.pointsRestored = true;
    return load;
}

}  // namespace korvane
