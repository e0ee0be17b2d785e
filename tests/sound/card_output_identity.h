#pragma once

#include <string>
#include <utility>

#include "engine/device_library/device_library.h"

namespace korvane::test {

// How the sound card library identifies one of its outputs (the program names it from this).
inline DeviceIdentity CardOutput(DeviceIdentity::Side side, std::string pcm) {
    return {DeviceIdentity::Kind::kSoundCardOutput, side, std::move(pcm)};
}

}  // namespace korvane::test
