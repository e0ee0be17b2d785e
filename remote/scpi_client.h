#pragma once

#include <string>
#include <vector>

#include "remote/scpi_error_queue.h"
#include "remote/scpi_message.h"

namespace korvane::scpi {

// What the command layer keeps for one client between its commands.
struct ClientState {
    ErrorQueue errors;
    // The header path a command without a leading ':' continues from ("SOUR2:FREQ 1;VOLT 1"
    // sets the voltage of source 2); reset at the start of every line.
    std::vector<HeaderNode> path;

    // The standard event status register (events not yet read by *ESR?, besides those the error
    // queue holds back) and the two enable masks.
    int events = 0;
    int eventEnable = 0;
    int serviceEnable = 0;
    // *OPC was sent: the operation-complete event is set once every channel has sent its
    // queued commands.
    bool operationCompletePending = false;

    // How point tables are answered: text, or a block of 32-bit floats, most significant byte
    // first (NORMal) or last (SWAPped).
    bool realFormat = false;
    bool swappedBytes = false;
};

}  // namespace korvane::scpi
