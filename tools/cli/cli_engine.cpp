// Commands that look at the engine: the DAC codes of a channel, the clock divider, the devices.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "engine/device_claim.h"
#include "engine/device_library/library_factory.h"
#include "engine/device_library/simulated_device_library.h"
#include "i18n/device_description.h"
#include "i18n/language_table.h"
#include "tools/cli/channel_fields.h"
#include "tools/cli/cli_command.h"

namespace korvane::cli {
namespace {

int PrintCodes(const std::vector<std::string>& args) {
    SimulatedDeviceLibrary noHardware(0);
    ChannelState channel(noHardware);
    std::vector<std::string> rest;
    std::string error = BuildChannelFromArgs(channel, args, rest);
    if (!error.empty()) {
        return UsageError(error);
    }
    if (!rest.empty()) {
        return UsageError("unexpected argument '" + rest.front() + "'");
    }
    WaveParams params = channel.Snapshot();
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(params.pointCount));
    FillDacCodes(params, codes, ThreadNoise());
    for (std::uint16_t code : codes) {
        std::printf("%u\n", code);
    }
    return kOk;
}

int PrintDivider(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return UsageError("divider needs exactly one frequency in Hz");
    }
    char* end = nullptr;
    double hz = std::strtod(args[0].c_str(), &end);
    if (args[0].empty() || *end != '\0' || !std::isfinite(hz) || hz <= 0.0) {
        return UsageError("'" + args[0] + "' is not a frequency above 0 Hz");
    }
    std::printf("%d\n", ClockDivider(hz));
    return kOk;
}

int PrintDevices(const std::vector<std::string>& args) {
    if (!args.empty()) {
        return UsageError("devices takes no arguments");
    }
    std::unique_ptr<DeviceLibrary> library = CreateDeviceLibraryFromEnvironment();
    const int count = SearchDevices(*library, std::cerr);
    std::printf("devices: %d\n", count);
    const LanguageTable english;  // the built-in language
    for (int i = 0; i < count; ++i) {
        const std::string what = DeviceDescription(library->Identify(i), english);
        std::printf("device %d: %s%s%s\n", i, library->DDSCheck(i) ? "present" : "missing",
                    what.empty() ? "" : ", ", what.c_str());
    }
    return kOk;
}

const Registration codes{{"codes",
                          "codes [--set NAME=VALUE]...   the DAC codes a download sends, one per "
                          "line",
                          PrintCodes}};
const Registration divider{{"divider",
                            "divider HZ                    the master-clock divider "
                            "for HZ",
                            PrintDivider}};
const Registration devices{{"devices",
                            "devices                       the devices the library reports and "
                            "whether each answers",
                            PrintDevices}};

}  // namespace
}  // namespace korvane::cli
