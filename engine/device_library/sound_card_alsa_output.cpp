#include "engine/device_library/sound_card_alsa_output.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace korvane {
namespace {

struct FormatChoice {
    snd_pcm_format_t alsa;
    SampleFormat ours;
};
// Best first: float keeps everything the oscillator computes.
constexpr FormatChoice kFormats[] = {
    {SND_PCM_FORMAT_FLOAT, SampleFormat::Float},
    {SND_PCM_FORMAT_S32, SampleFormat::Int32},
    {SND_PCM_FORMAT_S16, SampleFormat::Int16},
};

std::string Hint(void* hint, const char* id) {
    char* text = snd_device_name_get_hint(hint, id);
    if (!text) {
        return {};
    }
    std::string result(text);
    std::free(text);
    std::replace(result.begin(), result.end(), '\n', ' ');
    return result;
}

}  // namespace

std::vector<AudioPcm> ListAudioPcms() {
    std::vector<AudioPcm> pcms;
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0 || !hints) {
        return pcms;
    }
    for (void** hint = hints; *hint; ++hint) {
        std::string direction = Hint(*hint, "IOID");
        if (!direction.empty() && direction != "Output") {
            continue;  // capture only
        }
        std::string name = Hint(*hint, "NAME");
        if (!name.empty() && name != "null") {
            pcms.push_back({name, Hint(*hint, "DESC")});
        }
    }
    snd_device_name_free_hint(hints);
    return pcms;
}

AlsaOutput::AlsaOutput(std::string pcmName, unsigned rate, unsigned latencyMs)
    : pcmName_(std::move(pcmName)), requestedRate_(rate), latencyMs_(latencyMs), rate_(rate) {}

AlsaOutput::~AlsaOutput() {
    Close();
}

bool AlsaOutput::Open(std::string* error) {
    Close();
    int result = snd_pcm_open(&pcm_, pcmName_.c_str(), SND_PCM_STREAM_PLAYBACK, 0);
    if (result < 0) {
        pcm_ = nullptr;
        *error = "cannot open the PCM " + pcmName_ + ": " + snd_strerror(result);
        return false;
    }
    if (!Configure(error)) {
        Close();
        return false;
    }
    return true;
}

bool AlsaOutput::Configure(std::string* error) {
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    snd_pcm_hw_params_any(pcm_, hw);
    auto fail = [&](const char* what, int code) {
        *error = pcmName_ + ": " + what + (code < 0 ? std::string(": ") + snd_strerror(code) : "");
        return false;
    };
    int result = snd_pcm_hw_params_set_access(pcm_, hw, SND_PCM_ACCESS_RW_INTERLEAVED);
    if (result < 0) {
        return fail("no interleaved access", result);
    }
    const FormatChoice* chosen = nullptr;
    for (const FormatChoice& choice : kFormats) {
        if (snd_pcm_hw_params_test_format(pcm_, hw, choice.alsa) == 0) {
            chosen = &choice;
            break;
        }
    }
    if (!chosen || snd_pcm_hw_params_set_format(pcm_, hw, chosen->alsa) < 0) {
        return fail("takes neither float, 32-bit nor 16-bit samples", 0);
    }
    format_ = chosen->ours;
    channels_ = 2;
    result = snd_pcm_hw_params_set_channels_near(pcm_, hw, &channels_);
    if (result < 0 || channels_ < 2) {
        return fail("has fewer than two channels", result);
    }
    rate_ = requestedRate_;
    result = snd_pcm_hw_params_set_rate_near(pcm_, hw, &rate_, nullptr);
    if (result < 0) {
        return fail("no sample rate near the one asked for", result);
    }
    unsigned bufferUs = latencyMs_ * 1000u;
    unsigned periodUs = bufferUs / 4u;
    snd_pcm_hw_params_set_buffer_time_near(pcm_, hw, &bufferUs, nullptr);
    snd_pcm_hw_params_set_period_time_near(pcm_, hw, &periodUs, nullptr);
    result = snd_pcm_hw_params(pcm_, hw);
    if (result < 0) {
        return fail("cannot be set up", result);
    }
    snd_pcm_uframes_t period = 0;
    snd_pcm_uframes_t buffer = 0;
    snd_pcm_hw_params_get_period_size(hw, &period, nullptr);
    snd_pcm_hw_params_get_buffer_size(hw, &buffer);
    periodFrames_ = static_cast<int>(std::clamp<snd_pcm_uframes_t>(period, 16, 65536));
    snd_pcm_sw_params_t* sw = nullptr;
    snd_pcm_sw_params_alloca(&sw);
    snd_pcm_sw_params_current(pcm_, sw);
    // Playback starts once the buffer is full, so the first period does not run dry at once.
    snd_pcm_sw_params_set_start_threshold(pcm_, sw, buffer);
    result = snd_pcm_sw_params(pcm_, sw);
    if (result < 0) {
        return fail("cannot be set up", result);
    }
    return true;
}

void AlsaOutput::Close() {
    if (pcm_) {
        snd_pcm_close(pcm_);
        pcm_ = nullptr;
    }
}

AudioOutput::WriteResult AlsaOutput::Write(const float* frames, int count) {
    if (!pcm_) {
        return WriteResult::Gone;
    }
    ConvertFrames(frames, count, format_, channels_, &converted_);
    const unsigned char* data = converted_.data();
    const std::size_t frameBytes = channels_ * static_cast<std::size_t>(SampleBytes(format_));
    WriteResult outcome = WriteResult::Written;
    int done = 0;
    while (done < count) {
        snd_pcm_sframes_t written =
            snd_pcm_writei(pcm_, data + static_cast<std::size_t>(done) * frameBytes,
                           static_cast<snd_pcm_uframes_t>(count - done));
        if (written >= 0) {
            done += static_cast<int>(written);
            continue;
        }
        if (written == -EPIPE) {
            outcome = WriteResult::Underrun;
        }
        // Recovers an underrun, a suspend or an interrupted call; an unplugged device
        // (-ENODEV) and every other failure cannot be recovered.
        if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0) {
            return WriteResult::Gone;
        }
    }
    return outcome;
}

}  // namespace korvane
