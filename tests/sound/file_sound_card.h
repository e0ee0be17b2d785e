#pragma once

#include <alsa/asoundlib.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstring>
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
// ALSA's file plugin, which writes every frame (raw, left and right interleaved) to a file and
// hands it on to the null PCM. The file holds `fileFormat`'s samples: float as the program plays
// them, or integers through ALSA's linear plugin, which refuses float and converts whatever
// integer format the program picks. Two channels drive the card's left and right outputs as the
// program's workers would; the test thread runs their cycles.
class FileSoundCard {
  public:
    static constexpr unsigned kRate = 48000;

    explicit FileSoundCard(SampleFormat fileFormat = SampleFormat::Float)
        : fileFormat_(fileFormat) {
        file_ = home_.path() / "card.raw";
        home_.Write(".asoundrc", Configuration());
        setenv("HOME", home_.path().c_str(), 1);
        // ALSA keeps the configuration it read first; an earlier card of this process read
        // another HOME's.
        snd_config_update_free_global();
        auto output = std::make_unique<AlsaOutput>("default", kRate, 20);
        output_ = output.get();
        library_ = std::make_unique<SoundCardDeviceLibrary>(std::move(output), "default");
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
    // The format the program chose for the PCM (the card's output must be open).
    SampleFormat ChosenFormat() const { return output_->Format(); }
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
    // those frames of one output (0 left, 1 right), ±1.0 full scale.
    std::vector<float> Record(std::uint64_t from, std::uint64_t count, int output) {
        Eventually([&] { return library_->FramesWritten() >= from + count; },
                   std::chrono::seconds(30));
        Stop();
        return Read(from, count, output);
    }
    std::vector<float> Read(std::uint64_t from, std::uint64_t count, int output) const {
        const auto bytes = static_cast<std::size_t>(SampleBytes(fileFormat_));
        std::ifstream in(file_, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(from * 2 * bytes));
        std::vector<unsigned char> frames(count * 2 * bytes);
        in.read(reinterpret_cast<char*>(frames.data()),
                static_cast<std::streamsize>(frames.size()));
        std::vector<float> samples(in ? count : 0);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] =
                SampleAt(frames.data() + (2 * i + static_cast<std::size_t>(output)) * bytes);
        }
        return samples;
    }
    // Closes the PCM, which completes the file.
    void Stop() {
        channels_.clear();
        library_.reset();
        output_ = nullptr;
    }

  private:
    static constexpr std::uint64_t kSettleFrames = 8192;

    std::string Configuration() const {
        const std::string file =
            "{ type file; slave.pcm \"null\"; file \"" + file_.string() + "\"; format \"raw\" }";
        switch (fileFormat_) {
            case SampleFormat::Int32:
                return "pcm.!default { type linear; slave { pcm " + file + " format S32_LE } }\n";
            case SampleFormat::Int16:
                return "pcm.!default { type linear; slave { pcm " + file + " format S16_LE } }\n";
            case SampleFormat::Float:
                break;
        }
        return "pcm.!default " + file + "\n";
    }
    // One sample of the file, ±1.0 full scale.
    float SampleAt(const unsigned char* at) const {
        switch (fileFormat_) {
            case SampleFormat::Int32: {
                std::int32_t v = 0;
                std::memcpy(&v, at, sizeof v);
                return static_cast<float>(v / 2147483648.0);
            }
            case SampleFormat::Int16: {
                std::int16_t v = 0;
                std::memcpy(&v, at, sizeof v);
                return static_cast<float>(v / 32768.0);
            }
            case SampleFormat::Float:
                break;
        }
        float v = 0.0f;
        std::memcpy(&v, at, sizeof v);
        return v;
    }

    bool Busy() const {
        for (const auto& channel : channels_) {
            if (!channel->QueuedCommands().empty()) {
                return true;
            }
        }
        return false;
    }

    SampleFormat fileFormat_;
    testing::TempFolder home_;
    std::filesystem::path file_;
    PollCoordinator coordinator_;
    AlsaOutput* output_ = nullptr;  // owned by the library
    std::unique_ptr<SoundCardDeviceLibrary> library_;
    std::vector<std::unique_ptr<ChannelState>> channels_;
};

}  // namespace korvane::test
