// audio-devices: the sound card outputs KVDDS_AUDIO can name.
#include <cstdio>

#include "engine/device_library/sound_card_alsa_output.h"
#include "tools/cli/cli_command.h"

namespace korvane::cli {
namespace {

int PrintAudioDevices(const std::vector<std::string>& args) {
    if (!args.empty()) {
        return UsageError("audio-devices takes no arguments");
    }
    const std::vector<AudioPcm> pcms = ListAudioPcms();
    for (const AudioPcm& pcm : pcms) {
        std::printf("%s\t%s\n", pcm.name.c_str(), pcm.description.c_str());
    }
    if (pcms.empty()) {
        std::fprintf(stderr, "korvaneawg-cli: ALSA offers no PCM to play on\n");
        return kFailed;
    }
    return kOk;
}

const Registration audioDevices{{"audio-devices",
                                 "audio-devices                 the sound card outputs "
                                 "(ALSA PCMs) KVDDS_AUDIO can name",
                                 PrintAudioDevices}};

}  // namespace
}  // namespace korvane::cli
