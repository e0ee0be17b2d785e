#pragma once

#include <string>
#include <vector>

#include "engine/scpi/scpi_error_queue.h"
#include "engine/scpi/scpi_message.h"

namespace korvane::scpi {

// What the command layer keeps for one client between its commands.
struct ClientState {
    ErrorQueue errors;
    // The header path a command without a leading ':' continues from ("SOUR2:FREQ 1;VOLT 1"
    // sets the voltage of source 2); reset at the start of every line.
    std::vector<HeaderNode> path;
};

}  // namespace korvane::scpi
