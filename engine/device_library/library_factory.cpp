#include "engine/device_library/library_factory.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/device_library/shared_object_device_library.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/device_library/tracing_device_library.h"

namespace korvane {
namespace {

constexpr int kMaxSimulatedDevices = 64;

int SimulatedDeviceCount() {
    const char* text = std::getenv("KVDDS_SIMULATED_DEVICES");
    if (!text || !*text) {
        return 1;
    }
    char* end = nullptr;
    long count = std::strtol(text, &end, 10);
    if (*end != '\0' || count < 0 || count > kMaxSimulatedDevices) {
        std::fprintf(stderr, "KVDDS_SIMULATED_DEVICES=%s is not a count from 0 to %d; using 1\n",
                     text, kMaxSimulatedDevices);
        return 1;
    }
    return static_cast<int>(count);
}

}  // namespace

std::unique_ptr<DeviceLibrary> CreateDeviceLibraryFromEnvironment() {
    std::unique_ptr<DeviceLibrary> library;
    const char* driver = std::getenv("KVDDS_LIBRARY");
    if (driver && *driver) {
        auto loaded = std::make_unique<SharedObjectDeviceLibrary>(driver);
        if (!loaded->Loaded()) {
            std::fprintf(stderr, "%s; running without hardware\n", loaded->ErrorText().c_str());
        }
        library = std::move(loaded);
    } else {
        library = std::make_unique<SimulatedDeviceLibrary>(SimulatedDeviceCount());
    }
    const char* trace = std::getenv("KVDDS_TRACE");
    if (trace && *trace) {
        auto tracing = std::make_unique<TracingDeviceLibrary>(std::move(library), trace);
        if (!tracing->Open()) {
            std::fprintf(stderr, "cannot open the trace file %s\n", trace);
        }
        library = std::move(tracing);
    }
    return library;
}

}  // namespace korvane
