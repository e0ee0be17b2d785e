#pragma once

namespace korvane {

// Codes are stored in settings files: never renumber.
enum WaveType : int {
    Sine = 0,
    Ramp = 1,
    Square = 2,
    Exponent = 3,
    Arbitrary = 4,
    Trapezia = 5,
    AmFm = 6,
    GaussNoise = 7,
    WhiteNoise = 8,
};
inline constexpr int kWaveTypeCount = 9;

// Commands queued for a channel's worker; they carry no arguments, the worker reads the fields
// when it executes one.
enum DeviceCommand : int {
    Download = 1,
    SetFrequency = 2,
    SetDioMode = 3,
    SetTrigger = 4,
    SetSingleWave = 5,
    SetPowerOnOutput = 6,
    // Restarts every output on the device's clock at the same sample (a sound card's left and
    // right); a device without such outputs ignores it.
    Synchronize = 7,
};

inline constexpr int kMaxPoints = 4096;
inline constexpr double kMasterClockHz = 200000000.0;
inline constexpr double kFullScaleVolts = 3.5;  // the DAC puts out ±3.5 V

}  // namespace korvane
