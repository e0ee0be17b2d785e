#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// What a device is, as far as the user needs telling: a hardware generator, which its window's
// name describes well enough, or one output of a sound card. The shell words it in the user's
// language.
struct DeviceIdentity {
    enum class Kind { kGenerator, kSoundCardOutput };
    enum class Side { kLeft, kRight };

    Kind kind = Kind::kGenerator;
    Side side = Side::kLeft;  // which output of the sound card
    std::string pcm;          // the sound card's ALSA PCM ("default", "hw:1,0")

    bool operator==(const DeviceIdentity&) const = default;
};

// The highest frequency a hardware generator puts out (a sine).
inline constexpr double kGeneratorMaxFrequency = 75000000.0;

// The thirteen calls of the generator's driver library. Device index -1 (a demo channel) or an
// unknown index must return without effect. Implementations are called from the GUI thread and
// from every channel's worker, so they must be thread-safe.
class DeviceLibrary {
  public:
    virtual ~DeviceLibrary() = default;

    virtual int DDSSearch() = 0;
    virtual int DDSCheck(int device) = 0;
    virtual int DDSSetFrequency(int device, double frequency, int* pointCount,
                                int* periodCount) = 0;
    virtual int DDSDownload(int device, const std::uint16_t* codes, int count) = 0;
    virtual int DDSSetDivNum(int device, int divider) = 0;
    virtual int DDSSetTrigger(int device, int externalTrigger, int edge) = 0;
    virtual int DDSSetSingleWave(int device, int singleWave) = 0;
    virtual int DDSSetDIOMode(int device, int mode) = 0;
    virtual int DDSSetDigitalOut(int device, std::uint32_t word) = 0;
    virtual int DDSGetDigitalIn(int device, std::uint16_t* word) = 0;
    virtual int DDSGetMeasure(int device, int kind, double* value) = 0;
    virtual int DDSResetCounter(int device) = 0;
    virtual int DDSSetPowerOnOutput(int device, int on) = 0;

    // ---- abilities beyond the driver's calls; the defaults describe a hardware generator ----
    // Whether the device takes its buffer at full precision through DDSDownloadVolts rather
    // than as 12-bit DAC codes.
    virtual bool AcceptsVolts(int /*device*/) const { return false; }
    // Loads the buffer as volts (±3.5 V is full scale); false when the device does not take it.
    virtual bool DDSDownloadVolts(int /*device*/, const double* /*volts*/, int /*count*/) {
        return false;
    }
    // The highest frequency the device plays.
    virtual double MaxFrequency(int /*device*/) const { return kGeneratorMaxFrequency; }
    // Whether the device has an external trigger input and digital inputs and outputs.
    virtual bool HasTriggerAndDigitalIo(int /*device*/) const { return true; }
    // What the device is; a generator for an unknown index.
    virtual DeviceIdentity Identify(int /*device*/) const { return {}; }
    // How many outputs run on the device's sample clock (itself included).
    virtual int OutputsOnClock(int /*device*/) const { return 1; }
    // Restarts every output that shares the device's clock at the same sample, so that their
    // phases are as set; false when the device has no such outputs.
    virtual bool SynchronizeOutputs(int /*device*/) { return false; }

  protected:
    DeviceLibrary() = default;
};

}  // namespace korvane
