#include "remote/served_devices.h"

#include <iostream>

#include "engine/device_claim.h"
#include "remote/scpi_version.h"

namespace korvane::scpi {

ServedDevices::ServedDevices(DeviceLibrary& library, Server::Options options)
    : instrument_(ProgramVersion()), server_(instrument_, std::move(options)) {
    const int count = SearchDevices(library, std::cerr);
    for (int index = 0; index < count; ++index) {
        auto channel = std::make_unique<ChannelState>(library);
        channel->demo = 0;
        channel->deviceIndex = index;
        channels_.push_back(std::move(channel));
    }
    if (channels_.empty()) {
        channels_.push_back(std::make_unique<ChannelState>(library));
    }
    std::vector<ChannelState*> served;
    for (const auto& channel : channels_) {
        served.push_back(channel.get());
        sessions_.push_back(std::make_unique<DeviceSession>(*channel));  // configures first
    }
    instrument_.SetChannels(std::move(served));
}

ServedDevices::~ServedDevices() {
    server_.Stop();
    instrument_.SetChannels({});
    // Every session ends with the power-on output, all at once; each stops before its channel
    // goes.
    for (const auto& session : sessions_) {
        session->RequestStop();
    }
    sessions_.clear();
}

std::string ServedDevices::Start() {
    return server_.Start();
}

}  // namespace korvane::scpi
