#include "shell/remote_service.h"

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "platform/ini_file.h"
#include "remote/scpi_version.h"

namespace korvane {
namespace {

constexpr const char* kSection = "Remote";

// The key's value as a whole number, or nothing when it is missing or not a number.
std::optional<long> ReadNumber(const IniFile& config, const char* key) {
    const std::string text = config.ReadString(kSection, key);
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

bool RemoteEnabled(const IniFile& config) {
    const std::optional<long> enabled = ReadNumber(config, "Enabled");
    // A missing key reads as -1: only a positive number switches the server on.
    return enabled.has_value() && *enabled > 0;
}

int RemotePort(const IniFile& config) {
    const std::optional<long> port = ReadNumber(config, "Port");
    return port && *port >= 1 && *port <= 65535 ? static_cast<int>(*port)
                                                : RemoteService::kDefaultPort;
}

std::chrono::seconds RemoteIdleTimeout(const IniFile& config) {
    const std::optional<long> seconds = ReadNumber(config, "IdleTimeout");
    return seconds && *seconds >= 0 ? std::chrono::seconds(*seconds)
                                    : scpi::Server::kDefaultIdleTimeout;
}

RemoteService::RemoteService() : instrument_(scpi::ProgramVersion()) {}

RemoteService::~RemoteService() {
    server_.reset();
    instrument_.SetChannels({});
}

QString RemoteService::Configure(const IniFile& config) {
    server_.reset();
    if (!RemoteEnabled(config)) {
        return {};
    }
    auto server = std::make_unique<scpi::Server>(
        instrument_,
        scpi::Server::Options{"127.0.0.1", RemotePort(config), RemoteIdleTimeout(config)});
    const std::string error = server->Start();
    if (!error.empty()) {
        return QString::fromStdString(error);
    }
    server_ = std::move(server);
    return {};
}

void RemoteService::ServeDocuments(const QList<CMultiTesselDoc*>& documents) {
    std::vector<ChannelState*> channels;
    for (CMultiTesselDoc* document : documents) {
        if (document != nullptr && document->m_pState) {
            channels.push_back(document->m_pState.get());
        }
    }
    instrument_.SetChannels(std::move(channels));
}

}  // namespace korvane
