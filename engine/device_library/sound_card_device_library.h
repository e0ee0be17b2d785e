#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "engine/device_library/device_library.h"
#include "engine/device_library/sound_card_oscillator.h"
#include "engine/device_library/sound_card_output.h"
#include "engine/device_library/sound_card_voice.h"
#include "engine/device_library/sound_card_wave_table.h"

namespace korvane {

// A sound card's first two outputs as two generators, device 0 the left and device 1 the right,
// both on the card's one sample clock. Each is a software DDS: a 64-bit phase accumulator over
// the downloaded period, interpolated and band-limited for the frequency it plays. An audio
// thread of its own writes to the output at the audio server's pace; the calls hand it new
// voices through a mailbox, never through a lock it would wait on.
class SoundCardDeviceLibrary : public DeviceLibrary {
  public:
    static constexpr int kOutputs = 2;
    // Points of the one-period table DDSSetFrequency asks for.
    static constexpr int kTablePoints = 4096;

    // `pcmName` names the output for the user. The output is opened at once; while it cannot
    // be, the devices are missing (DDSCheck 0) and the audio thread tries again.
    SoundCardDeviceLibrary(std::unique_ptr<AudioOutput> output, std::string pcmName);
    ~SoundCardDeviceLibrary() override;
    SoundCardDeviceLibrary(const SoundCardDeviceLibrary&) = delete;
    SoundCardDeviceLibrary& operator=(const SoundCardDeviceLibrary&) = delete;

    int DDSSearch() override;
    int DDSCheck(int device) override;
    int DDSSetFrequency(int device, double frequency, int* pointCount, int* periodCount) override;
    int DDSDownload(int device, const std::uint16_t* codes, int count) override;
    int DDSSetDivNum(int device, int divider) override;
    int DDSSetTrigger(int device, int externalTrigger, int edge) override;
    int DDSSetSingleWave(int device, int singleWave) override;
    int DDSSetDIOMode(int device, int mode) override;
    int DDSSetDigitalOut(int device, std::uint32_t word) override;
    int DDSGetDigitalIn(int device, std::uint16_t* word) override;
    int DDSGetMeasure(int device, int kind, double* value) override;
    int DDSResetCounter(int device) override;
    int DDSSetPowerOnOutput(int device, int on) override;

    bool AcceptsVolts(int device) const override { return Valid(device); }
    bool DDSDownloadVolts(int device, const double* volts, int count) override;
    double MaxFrequency(int device) const override;
    bool HasTriggerAndDigitalIo(int device) const override { return !Valid(device); }
    DeviceIdentity Identify(int device) const override;
    int OutputsOnClock(int device) const override { return Valid(device) ? kOutputs : 1; }
    bool SynchronizeOutputs(int device) override;

    // The sample rate the output plays at.
    unsigned Rate() const { return rate_.load(); }
    // Frames handed to the output so far, and the underruns it recovered from.
    std::uint64_t FramesWritten() const { return framesWritten_.load(); }
    std::uint64_t Underruns() const { return underruns_.load(); }
    // Why the output could not be opened last (empty when it is open).
    std::string OpenError() const;

  private:
    // What the callers keep for one output, under its mutex; the audio thread never sees it.
    struct Channel {
        std::mutex mutex;
        std::optional<WaveSpectrum> spectrum;
        double frequency = 1000.0;
        int pointCount = kTablePoints;
        bool singleWave = false;
        std::uint32_t arming = 0;
        std::uint64_t playedIncrement = 0;  // the last voice's
        bool flat = true;
        std::uint64_t counterStart = 0;
        VoiceMailbox mailbox;
        Oscillator oscillator;  // played by the audio thread; its counter read by callers
    };

    static bool Valid(int device) { return device >= 0 && device < kOutputs; }
    Channel& At(int device) { return channels_[static_cast<std::size_t>(device)]; }
    // Loads a new period given normalised points (±1.0 full scale).
    void Load(int device, std::span<const double> points);
    // Builds the voice for the channel's present state and posts it; the caller holds its lock.
    void Publish(Channel& channel);
    double Nyquist() const { return Rate() / 2.0; }
    void AudioLoop();
    // Opens the output; false after the stop was asked for.
    bool OpenOutput();

    std::unique_ptr<AudioOutput> output_;
    std::string pcmName_;
    std::array<Channel, kOutputs> channels_;
    std::atomic<unsigned> rate_;
    std::atomic<bool> present_{false};
    std::atomic<std::uint64_t> framesWritten_{0};
    std::atomic<std::uint64_t> underruns_{0};
    std::atomic<std::uint32_t> synchronizeRequests_{0};
    std::atomic<bool> stopping_{false};  // read by the audio thread after each period
    mutable std::mutex stateMutex_;      // the stop flag, the open error, the first open
    std::condition_variable wake_;
    bool stop_ = false;
    std::string openError_;
    bool firstOpenDone_ = false;  // the audio thread's first attempt to open the output made
    std::thread audio_;
};

}  // namespace korvane
