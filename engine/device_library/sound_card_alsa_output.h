#pragma once

#include <string>
#include <vector>

#include "engine/device_library/sound_card_output.h"
#include "engine/device_library/sound_card_sample_format.h"

// ALSA's PCM handle, as its header declares it.
typedef struct _snd_pcm snd_pcm_t;

namespace korvane {

// One PCM an ALSA configuration offers, as a user would pick it.
struct AudioPcm {
    std::string name;         // what KVDDS_AUDIO takes ("default", "hw:CARD=PCH,DEV=0")
    std::string description;  // the configuration's description, one line
};

// The PCMs that can play (snd_device_name_hint), in the configuration's order.
std::vector<AudioPcm> ListAudioPcms();

// An ALSA playback PCM carrying the two outputs as its first two channels. It plays float
// samples when the PCM takes them, otherwise 32- or 16-bit integers; further channels get
// silence.
class AlsaOutput : public AudioOutput {
  public:
    // `rate` is asked for; the PCM may agree on the nearest rate it offers. `latencyMs` is the
    // buffer's length.
    AlsaOutput(std::string pcmName, unsigned rate, unsigned latencyMs);
    ~AlsaOutput() override;
    AlsaOutput(const AlsaOutput&) = delete;
    AlsaOutput& operator=(const AlsaOutput&) = delete;

    bool Open(std::string* error) override;
    void Close() override;
    unsigned Rate() const override { return rate_; }
    int PeriodFrames() const override { return periodFrames_; }
    WriteResult Write(const float* frames, int count) override;

    // The sample format the PCM agreed on when it was opened.
    SampleFormat Format() const { return format_; }

  private:
    bool Configure(std::string* error);

    std::string pcmName_;
    unsigned requestedRate_;
    unsigned latencyMs_;
    snd_pcm_t* pcm_ = nullptr;
    SampleFormat format_ = SampleFormat::Float;
    unsigned rate_;
    unsigned channels_ = 2;
    int periodFrames_ = 1024;
    std::vector<unsigned char> converted_;
};

}  // namespace korvane
