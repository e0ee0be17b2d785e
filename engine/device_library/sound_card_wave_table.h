#pragma once

#include <complex>
#include <span>
#include <vector>

namespace korvane {

// A table the audio thread plays: one period of `1 << bits` points, preceded by the last point
// and followed by the first two, so that four-point interpolation never wraps.
struct WaveTable {
    int bits = 0;
    std::vector<float> samples;  // (1 << bits) + 3 values

    int Size() const { return 1 << bits; }
    // The value at the start of the period.
    float First() const { return samples[1]; }
};

// The harmonics of one downloaded period, worked out once per download; every table the wave
// is played with is built from them, so a frequency change needs no new analysis.
class WaveSpectrum {
  public:
    // `period` holds one period, normalised (±1.0 is full scale).
    explicit WaveSpectrum(std::span<const double> period);

    // Whether every point is the same: the output is a DC level (or silence).
    bool Flat() const { return flat_; }
    // The period with every harmonic at or above half of `rate` removed when it plays at
    // `frequency`, resampled finely enough (at least 64 points per period of the highest
    // harmonic kept, where the table's size allows) for four-point interpolation.
    WaveTable BandLimited(double frequency, double rate) const;
    // The highest harmonic BandLimited keeps.
    int HighestHarmonic(double frequency, double rate) const;

  private:
    int points_;
    bool flat_;
    std::vector<std::complex<double>> bins_;  // points_ / 2 + 1, scaled by 1 / points_
};

}  // namespace korvane
