#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/channel_state.h"
#include "engine/device_library/device_library.h"
#include "engine/device_session.h"
#include "remote/scpi_instrument.h"
#include "remote/scpi_server.h"

namespace korvane::scpi {

// Every device a library reports, with a DeviceSession each (configured, polled, the power-on
// output applied when it ends), served as SOURce1..n, without a display. With no device there is
// one demo channel, as the program opens a demo window then.
class ServedDevices {
  public:
    ServedDevices(DeviceLibrary& library, Server::Options options);
    ~ServedDevices();
    ServedDevices(const ServedDevices&) = delete;
    ServedDevices& operator=(const ServedDevices&) = delete;

    // Starts serving; an empty text on success, else the reason.
    std::string Start();
    int Port() const { return server_.Port(); }
    bool LoopbackOnly() const { return server_.LoopbackOnly(); }
    std::size_t ChannelCount() const { return channels_.size(); }
    ChannelState& Channel(std::size_t index) { return *channels_[index]; }

  private:
    std::vector<std::unique_ptr<ChannelState>> channels_;
    std::vector<std::unique_ptr<DeviceSession>> sessions_;
    Instrument instrument_;
    Server server_;
};

}  // namespace korvane::scpi
