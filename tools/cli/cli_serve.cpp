// serve: the generators as a remote-control instrument on a TCP port, without a display.
#include <pthread.h>
#include <cerrno>
#include <chrono>
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

constexpr long kMaxIdleSeconds = scpi::Server::kMaxIdleTimeout.count();

// Whole seconds from 0 (idle clients are kept) to the server's longest timeout.
bool ReadIdleTimeout(const std::string& text, std::chrono::seconds& timeout) {
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < 0 || value > kMaxIdleSeconds) {
        return false;
    }
    timeout = std::chrono::seconds(value);
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
        } else if (args[i] == "--idle-timeout" && hasValue) {
            if (!ReadIdleTimeout(args[++i], options.idleTimeout)) {
                return UsageError("serve: '" + args[i] +
                                  "' is not an idle timeout in whole seconds from 0 to " +
                                  std::to_string(kMaxIdleSeconds));
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
                          "serve [--bind ADDRESS] [--port N] [--idle-timeout SECONDS]  remote "
                          "control of every device (default 127.0.0.1:5025; ADDRESS: IPv4, IPv6 "
                          "or localhost; a client idle for SECONDS, default 600, is disconnected; "
                          "0 keeps it)",
                          Serve}};

}  // namespace
}  // namespace korvane::cli
