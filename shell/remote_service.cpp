#include "shell/remote_service.h"

#include <charconv>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "i18n/language_table.h"
#include "platform/ini_file.h"
#include "remote/scpi_version.h"

namespace korvane {
namespace {

constexpr const char* kSection = "Remote";
constexpr int kServingKey = 2085;
constexpr int kPortInUseKey = 2086;
constexpr int kFailedKey = 2087;

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

RemoteSettings ReadRemoteSettings(const IniFile& config) {
    return {RemoteEnabled(config), RemotePort(config), RemoteIdleTimeout(config)};
}

int WriteRemoteSettings(const IniFile& config, const RemoteSettings& settings) {
    const std::pair<const char*, std::string> entries[] = {
        {"Enabled", settings.enabled ? "1" : "0"},
        {"Port", std::to_string(settings.port)},
        {"IdleTimeout", std::to_string(settings.idleTimeout.count())}};
    for (const auto& [key, value] : entries) {
        if (const int error = config.WriteString(kSection, key, value, true); error != 0) {
            return error;
        }
    }
    return 0;
}

QString RemoteStatusText(const RemoteService& remote, const LanguageTable& language) {
    const auto text = [&language](int key, const char* fallback) {
        const std::string value = language.GetLangString(key);
        return value.empty() ? QString::fromLatin1(fallback) : QString::fromStdString(value);
    };
    const QString port = QString::number(remote.Settings().port);
    switch (remote.CurrentState()) {
        case RemoteService::State::kServing:
            return text(kServingKey, "Remote: port %d").replace(QStringLiteral("%d"), port);
        case RemoteService::State::kPortInUse:
            return text(kPortInUseKey, "Remote: port %d is in use")
                .replace(QStringLiteral("%d"), port);
        case RemoteService::State::kFailed:
            return text(kFailedKey, "Remote failed: %s")
                .replace(QStringLiteral("%s"), remote.Failure());
        case RemoteService::State::kOff:
            break;
    }
    return {};
}

RemoteService::RemoteService() : instrument_(scpi::ProgramVersion()) {}

RemoteService::~RemoteService() {
    server_.reset();
    instrument_.SetChannels({});
}

QString RemoteService::Configure(const IniFile& config) {
    return Configure(ReadRemoteSettings(config));
}

QString RemoteService::Configure(const RemoteSettings& settings) {
    server_.reset();
    settings_ = settings;
    state_ = State::kOff;
    failure_.clear();
    if (!settings.enabled) {
        return {};
    }
    auto server = std::make_unique<scpi::Server>(
        instrument_, scpi::Server::Options{"127.0.0.1", settings.port, settings.idleTimeout});
    const std::string error = server->Start();
    if (!error.empty()) {
        state_ = server->PortInUse() ? State::kPortInUse : State::kFailed;
        failure_ = QString::fromStdString(error);
        return failure_;
    }
    server_ = std::move(server);
    state_ = State::kServing;
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
