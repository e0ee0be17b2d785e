// Commands that write and read the program's files: waveform CSV files and settings files.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/channel_rules.h"
#include "engine/device_library/simulated_device_library.h"
#include "formats/csv_file.h"
#include "formats/fixed_text.h"
#include "formats/settings_file.h"
#include "i18n/language_table.h"
#include "tools/cli/channel_fields.h"
#include "tools/cli/cli_command.h"

namespace korvane::cli {
namespace {

// The message a refused file would show in the program, or, where the program refuses it
// silently, why.
int Refused(const FileResult& result, const std::string& path) {
    const std::string& why = result.reason.empty() ? path : result.reason;
    std::fprintf(stderr, "%s\n",
                 result.message.empty() ? ("refused: " + why).c_str() : result.message.c_str());
    return kFailed;
}

// One FILE argument, optionally with --set options that describe the channel.
struct FileArgs {
    std::string path;
    std::string error;
};

FileArgs TakeFile(const std::vector<std::string>& rest, const char* command) {
    if (rest.size() != 1) {
        return {{}, std::string(command) + " needs exactly one FILE"};
    }
    return {rest.front(), {}};
}

int WriteCsv(const std::vector<std::string>& args) {
    SimulatedDeviceLibrary noHardware(0);
    ChannelState channel(noHardware);
    std::vector<std::string> rest;
    std::string error = BuildChannelFromArgs(channel, args, rest);
    FileArgs file = TakeFile(rest, "csv-write");
    if (!error.empty() || !file.error.empty()) {
        return UsageError(error.empty() ? file.error : error);
    }
    // Saving a standard wave turns it into arbitrary points first, as the device window does.
    ChangeWaveType(channel, Arbitrary, ArbitraryTable::FromCurrentWave);
    FileResult result = ExportCsv(channel, file.path);
    return result.ok ? kOk : Refused(result, file.path);
}

int ReadCsv(const std::vector<std::string>& args) {
    FileArgs file = TakeFile(args, "csv-read");
    if (!file.error.empty()) {
        return UsageError(file.error);
    }
    LanguageTable language;
    WaveformData waveform;
    FileResult result = ReadCsvFile(file.path, language, waveform);
    if (!result.ok) {
        return Refused(result, file.path);
    }
    std::printf("clock=%s\nsize=%zu\n", FixedText(waveform.sampleRate, 6).c_str(),
                waveform.points.size());
    for (float volts : waveform.points) {
        std::printf("%s\n", FixedText(volts, 6).c_str());
    }
    return kOk;
}

int WriteSettings(const std::vector<std::string>& args) {
    SimulatedDeviceLibrary noHardware(0);
    ChannelState channel(noHardware);
    std::vector<std::string> rest;
    std::string error = ApplySetOptions(channel, args, rest);
    FileArgs file = TakeFile(rest, "settings-write");
    if (!error.empty() || !file.error.empty()) {
        return UsageError(error.empty() ? file.error : error);
    }
    FileResult result = SaveSettings(channel, file.path);
    return result.ok ? kOk : Refused(result, file.path);
}

int ReadSettings(const std::vector<std::string>& args) {
    FileArgs file = TakeFile(args, "settings-read");
    if (!file.error.empty()) {
        return UsageError(file.error);
    }
    // Only a window on a real generator reads settings; a simulated one takes every field.
    SimulatedDeviceLibrary generator(1);
    ChannelState channel(generator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    LanguageTable language;
    FileResult result = LoadSettings(channel, file.path, language);
    if (!result.ok) {
        return Refused(result, file.path);
    }
    for (const std::string& name : SettingsFieldNames()) {
        std::printf("%s=%s\n", name.c_str(), FieldText(channel, name).c_str());
    }
    return kOk;
}

const Registration csvWrite{{"csv-write",
                             "csv-write FILE [--set NAME=VALUE]...   save the channel's wave as "
                             "a CSV file",
                             WriteCsv}};
const Registration csvRead{{"csv-read",
                            "csv-read FILE                 the sample rate, point count and "
                            "voltages of a CSV file",
                            ReadCsv}};
const Registration settingsWrite{{"settings-write",
                                  "settings-write FILE [--set NAME=VALUE]...   save the "
                                  "channel's panel as a settings file",
                                  WriteSettings}};
const Registration settingsRead{{"settings-read",
                                 "settings-read FILE            the panel fields a settings file "
                                 "sets, as NAME=VALUE",
                                 ReadSettings}};

}  // namespace
}  // namespace korvane::cli
