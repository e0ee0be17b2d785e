// serve: the generators as a remote-control instrument on a TCP port, without a display.
#include <pthread.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "engine/device_library/library_factory.h"
#include "remote/served_devices.h"
#include "tools/cli/cli_command.h"

namespace korvane::cli {
namespace {

bool ReadPort(const std::string& text, int& port) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0 || value > 65535) {
        return false;
    }
    port = static_cast<int>(value);
    return true;
}

int Serve(const std::vector<std::string>& args) {
    scpi::Server::Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--bind" && hasValue) {
            options.bindAddress = args[++i];
        } else if (args[i] == "--port" && hasValue) {
            if (!ReadPort(args[++i], options.port)) {
                return UsageError("serve: '" + args[i] + "' is not a port from 0 to 65535");
            }
        } else {
            return UsageError("serve: unexpected argument '" + args[i] + "'");
        }
    }
    // Every thread started from here on leaves SIGINT and SIGTERM to the sigwait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    std::unique_ptr<DeviceLibrary> library = CreateDeviceLibraryFromEnvironment();
    scpi::ServedDevices served(*library, options);
    if (std::string error = served.Start(); !error.empty()) {
        std::fprintf(stderr, "korvaneawg-cli serve: %s\n", error.c_str());
        return kFailed;
    }
    if (!served.LoopbackOnly()) {
        std::fprintf(stderr,
                     "korvaneawg-cli serve: warning: %s is reachable from other computers; "
                     "anyone who can connect controls the generators (there is no password)\n",
                     options.bindAddress.c_str());
    }
    // An IPv6 address is written in brackets, so that the port stays readable.
    const bool v6 = options.bindAddress.find(':') != std::string::npos;
    std::printf("serving %zu source(s) on %s%s%s:%d; stop with Ctrl+C\n", served.ChannelCount(),
                v6 ? "[" : "", options.bindAddress.c_str(), v6 ? "]" : "", served.Port());
    std::fflush(stdout);
    int received = 0;
    sigwait(&stopSignals, &received);
    return kOk;
}

const Registration serve{{"serve",
                          "serve [--bind ADDRESS] [--port N]  remote control of every device "
                          "(default 127.0.0.1:5025; ADDRESS: IPv4, IPv6 or localhost)",
                          Serve}};

}  // namespace
}  // namespace korvane::cli
