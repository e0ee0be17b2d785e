#pragma once

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/poll_coordinator.h"

namespace korvane::test {

// A sound card's two outputs driven as the program's workers would, the caller's thread running
// their cycles: the left plays a new channel's wave (a 1 kHz sine of 2 V), the right a 5 kHz
// square of 2 V.
class SineAndSquare {
  public:
    explicit SineAndSquare(DeviceLibrary& card)
        : left_(card, coordinator_), right_(card, coordinator_) {
        for (ChannelState* channel : {&left_, &right_}) {
            channel->demo = 0;
            channel->deviceIndex = channel == &left_ ? 0 : 1;
            channel->ConfigureDevice();
        }
        ChangeWaveType(right_, Square, ArbitraryTable::Keep);
        right_.SetFrequency(5000.0);
        for (int cycle = 0; cycle < 20; ++cycle) {  // every queued command sent
            left_.Poll();
            right_.Poll();
        }
    }

  private:
    PollCoordinator coordinator_;
    ChannelState left_;
    ChannelState right_;
};

}  // namespace korvane::test
