#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/synthesis.h"

namespace korvane {

// Magnitudes far below anything a 12-bit DAC can show are reported at this level, so that an
// exactly absent harmonic still reads as a number.
inline constexpr double kSpectrumFloorDbc = -200.0;

struct WaveSpectrum {
    // Harmonic k = 1, 2, ... up to half the sample rate, in dB relative to the fundamental
    // (entry 0, always 0 dBc).
    std::vector<double> harmonicsDbc;
    // The harmonics from k = 2 on, as a share of the fundamental: sqrt(sum of squares) / H1.
    double thdPercent = 0.0;
    // One spectral line of ideal 12-bit quantisation noise (an even error of up to half a code
    // spread over the buffer's spectrum), relative to the fundamental.
    double quantisationFloorDbc = 0.0;
    // The fundamental's amplitude in DAC codes.
    double fundamentalCodes = 0.0;
};

// The spectrum of DAC codes with FFTW. The plan for a buffer size is made once and reused while
// the size stays; one analyser serves one thread at a time.
class SpectrumAnalyser {
  public:
    SpectrumAnalyser();
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser&) = delete;
    SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

    // The harmonics of a buffer that holds `periods` whole periods: harmonic k lies at
    // frequency line k × periods. Returns an empty string, or why there is no spectrum (too few
    // points, or a constant wave without a fundamental).
    std::string Analyse(std::span<const std::uint16_t> codes, int periods, WaveSpectrum& spectrum);

  private:
    struct Plan;
    std::unique_ptr<Plan> plan_;
};

// The spectrum of the codes the device gets for `params`: pointCount codes holding periodCount
// periods, as the synthesis builds them for every wave type.
std::string SpectrumOfWave(const WaveParams& params, SpectrumAnalyser& analyser,
                           WaveSpectrum& spectrum);

}  // namespace korvane
