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

// Remote control of the open device windows, when config.ini asks for it:
//   [Remote]
//   Enabled=1      (0 or missing: no server)
//   Port=5025
//   IdleTimeout=600   (seconds a silent client keeps its connection; 0: for ever)
// The windows are SOURce1..n in tab order. Remote changes go through the channel setters and
// queues, so the worker sends them and the panel's timer shows them.
class RemoteService {
  public:
    static constexpr int kDefaultPort = 5025;

    RemoteService();
    ~RemoteService();
    RemoteService(const RemoteService&) = delete;
    RemoteService& operator=(const RemoteService&) = delete;

    // Reads the section and starts serving when it is enabled. Returns an empty text, or why
    // the server could not start.
    QString Configure(const IniFile& config);
    // The open documents in tab order. Call it whenever the list changes, before a removed
    // document's channel is destroyed.
    void ServeDocuments(const QList<CMultiTesselDoc*>& documents);

    bool Serving() const { return server_ != nullptr; }
    int Port() const { return server_ ? server_->Port() : 0; }

  private:
    scpi::Instrument instrument_;
    std::unique_ptr<scpi::Server> server_;
};

// The port config.ini asks for: a number from 1 to 65535, otherwise the default.
int RemotePort(const IniFile& config);
// The idle timeout config.ini asks for: whole seconds, 0 or more, otherwise the server's default.
std::chrono::seconds RemoteIdleTimeout(const IniFile& config);
// Whether config.ini switches remote control on ("Enabled" is a number above 0).
bool RemoteEnabled(const IniFile& config);

}  // namespace korvane
