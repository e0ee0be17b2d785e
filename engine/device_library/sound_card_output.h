#pragma once

#include <string>

namespace korvane {

// Where the sound card library's audio thread puts its frames: an ALSA PCM, or a stand-in in
// the tests. Used by the audio thread alone once the library runs.
class AudioOutput {
  public:
    enum class WriteResult {
        Written,   // every frame went out
        Underrun,  // the server ran dry before these frames; recovered, and they went out
        Gone,      // the device is no longer there (unplugged); the output must be reopened
    };

    virtual ~AudioOutput() = default;

    // Opens the output; on failure returns false and says why in `error`.
    virtual bool Open(std::string* error) = 0;
    virtual void Close() = 0;
    // The frames per second agreed when the output was opened.
    virtual unsigned Rate() const = 0;
    // How many frames one write should carry.
    virtual int PeriodFrames() const = 0;
    // Writes `count` interleaved stereo frames (left, right), ±1.0 being full scale; blocks at
    // the audio server's pace.
    virtual WriteResult Write(const float* frames, int count) = 0;

  protected:
    AudioOutput() = default;
};

}  // namespace korvane
