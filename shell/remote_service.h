#pragma once

#include <QList>
#include <QString>
#include <chrono>
#include <memory>

#include "remote/scpi_instrument.h"
#include "remote/scpi_server.h"

namespace korvane {

class CMultiTesselDoc;
class IniFile;
class LanguageTable;

// What config.ini's section [Remote] asks for:
//   [Remote]
//   Enabled=1      (0 or missing: no server)
//   Port=5025
//   IdleTimeout=600   (seconds a silent client keeps its connection; 0: for ever)
struct RemoteSettings {
    static constexpr int kDefaultPort = 5025;
    bool enabled = false;
    int port = kDefaultPort;
    std::chrono::seconds idleTimeout = scpi::Server::kDefaultIdleTimeout;
    bool operator==(const RemoteSettings&) const = default;
};

// Remote control of the open device windows. The windows are SOURce1..n in tab order. Remote
// changes go through the channel setters and queues, so the worker sends them and the panel's
// timer shows them.
class RemoteService {
  public:
    static constexpr int kDefaultPort = RemoteSettings::kDefaultPort;
    enum class State { kOff, kServing, kPortInUse, kFailed };

    RemoteService();
    ~RemoteService();
    RemoteService(const RemoteService&) = delete;
    RemoteService& operator=(const RemoteService&) = delete;

    // Stops serving, then serves as `settings` ask. Returns an empty text, or why the server
    // could not start.
    QString Configure(const RemoteSettings& settings);
    // Configure with the settings of config.ini.
    QString Configure(const IniFile& config);
    // The open documents in tab order. Call it whenever the list changes, before a removed
    // document's channel is destroyed.
    void ServeDocuments(const QList<CMultiTesselDoc*>& documents);

    bool Serving() const { return server_ != nullptr; }
    int Port() const { return server_ ? server_->Port() : 0; }
    // The settings last configured, whether or not the server could start with them.
    const RemoteSettings& Settings() const { return settings_; }
    State CurrentState() const { return state_; }
    // Why the server could not start (the system's words); empty unless kFailed or kPortInUse.
    const QString& Failure() const { return failure_; }

  private:
    scpi::Instrument instrument_;
    std::unique_ptr<scpi::Server> server_;
    RemoteSettings settings_;
    State state_ = State::kOff;
    QString failure_;
};

RemoteSettings ReadRemoteSettings(const IniFile& config);
// Writes all three keys; 0 when written, else an errno value.
int WriteRemoteSettings(const IniFile& config, const RemoteSettings& settings);
// The port config.ini asks for: a number from 1 to 65535, otherwise the default.
int RemotePort(const IniFile& config);
// The idle timeout config.ini asks for: whole seconds, 0 or more, otherwise the server's default.
std::chrono::seconds RemoteIdleTimeout(const IniFile& config);
// Whether config.ini switches remote control on ("Enabled" is a number above 0).
bool RemoteEnabled(const IniFile& config);

// The status bar's word on remote control in the language: "Remote: port 5025", "Remote: port
// 5025 is in use", "Remote failed: ..."; empty while it is off.
QString RemoteStatusText(const RemoteService& remote, const LanguageTable& language);

}  // namespace korvane
