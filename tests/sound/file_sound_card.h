#pragma once

#include <alsa/asoundlib.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/channel_state.h"
#include "engine/device_library/sound_card_alsa_output.h"
#include "engine/device_library/sound_card_device_library.h"
#include "engine/eventually.h"
#include "engine/poll_coordinator.h"
#include "support/temp_folder.h"

namespace korvane::test {

// A sound card without sound hardware: a temporary HOME whose .asoundrc makes the default PCM
// ALSA's file plugin, which writes every frame (raw float, left and right interleaved) to a file
// and hands it on to the null PCM. Two channels drive the card's left and right outputs as the
// program's workers would; the test thread runs their cycles.
class FileSoundCard {
  public:
    static constexpr unsigned kRate = 48000;

    FileSoundCard() {
        file_ = home_.path() / "card.raw";
        home_.Write(".asoundrc",
                    "pcm.!default {\n    type file\n    slave.pcm \"null\"\n"
                    "    file \"" +
                        file_.string() + "\"\n    format \"raw\"\n}\n");
        setenv("HOME", home_.path().c_str(), 1);
        // ALSA keeps the configuration it read first; an earlier card of this process read
        // another HOME's.
        snd_config_update_free_global();
        library_ = std::make_unique<SoundCardDeviceLibrary>(
            std::make_unique<AlsaOutput>("default", kRate, 20), "default");
        for (int i = 0; i < 2; ++i) {
            auto channel = std::make_unique<ChannelState>(*library_, coordinator_);
            channel->demo = 0;
            channel->deviceIndex = i;
            channel->ConfigureDevice();
            channels_.push_back(std::move(channel));
        }
        Settle();
    }

    SoundCardDeviceLibrary& Library() { return *library_; }
    ChannelState& Left() { return *channels_[0]; }
    ChannelState& Right() { return *channels_[1]; }

    // Runs the channels' cycles until both have sent every queued command; returns the frame
    // from which on the output plays what they sent (a period begun before may still hold the
    // old voices, so a whole buffer's worth is skipped).
    std::uint64_t Settle() {
        for (int cycle = 0; cycle < 1000 && Busy(); ++cycle) {
            for (auto& channel : channels_) {
                channel->Poll();
            }
        }
        return library_->FramesWritten() + kSettleFrames;
    }

    // Plays on until `count` frames after `from` have been written, stops the card and returns
    // those frames of one output (0 left, 1 right).
    std::vector<float> Record(std::uint64_t from, std::uint64_t count, int output) {
        Eventually([&] { return library_->FramesWritten() >= from + count; },
                   std::chrono::seconds(30));
        Stop();
        return Read(from, count, output);
    }
    std::vector<float> Read(std::uint64_t from, std::uint64_t count, int output) const {
        std::ifstream in(file_, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(from * 2 * sizeof(float)));
        std::vector<float> frames(count * 2);
        in.read(reinterpret_cast<char*>(frames.data()),
                static_cast<std::streamsize>(frames.size() * sizeof(float)));
        std::vector<float> samples(in ? count : 0);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = frames[2 * i + static_cast<std::size_t>(output)];
        }
        return samples;
    }
    // Closes the PCM, which completes the file.
    void Stop() {
        channels_.clear();
        library_.reset();
    }

  private:
    static constexpr std::uint64_t kSettleFrames = 8192;

    bool Busy() const {
        for (const auto& channel : channels_) {
            if (!channel->QueuedCommands().empty()) {
                return true;
            }
        }
        return false;
    }

    testing::TempFolder home_;
    std::filesystem::path file_;
    PollCoordinator coordinator_;
    std::unique_ptr<SoundCardDeviceLibrary> library_;
    std::vector<std::unique_ptr<ChannelState>> channels_;
};

}  // namespace korvane::test
