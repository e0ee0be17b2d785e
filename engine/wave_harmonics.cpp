#include "engine/wave_harmonics.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace korvane {
namespace {

// FFTW's planner is not thread-safe; running a plan is.
std::mutex& PlannerLock() {
    static std::mutex lock;
    return lock;
}

double Dbc(double amplitude, double fundamental) {
    const double level = amplitude > 0.0 ? 20.0 * std::log10(amplitude / fundamental) : -HUGE_VAL;
    return std::max(level, kSpectrumFloorDbc);
}

}  // namespace

struct SpectrumAnalyser::Plan {
    int size = 0;
    double* input = nullptr;
    fftw_complex* output = nullptr;
    fftw_plan plan = nullptr;

    explicit Plan(int n) : size(n) {
        std::lock_guard<std::mutex> guard(PlannerLock());
        input = fftw_alloc_real(static_cast<std::size_t>(n));
        output = fftw_alloc_complex(static_cast<std::size_t>(n / 2 + 1));
        plan = fftw_plan_dft_r2c_1d(n, input, output, FFTW_ESTIMATE);
    }
    ~Plan() {
        std::lock_guard<std::mutex> guard(PlannerLock());
        fftw_destroy_plan(plan);
        fftw_free(output);
        fftw_free(input);
    }
    Plan(const Plan&) = delete;
    Plan& operator=(const Plan&) = delete;

    // The amplitude of the sine at frequency line `line` (the Nyquist line has no mirror).
    double Amplitude(int line) const {
        const double magnitude = std::hypot(output[line][0], output[line][1]);
        return magnitude * (2 * line == size ? 1.0 : 2.0) / size;
    }
};

SpectrumAnalyser::SpectrumAnalyser() = default;

SpectrumAnalyser::~SpectrumAnalyser() = default;

std::string SpectrumAnalyser::Analyse(std::span<const std::uint16_t> codes, int periods,
                                      WaveSpectrum& spectrum) {
    const auto size = static_cast<int>(codes.size());
    if (periods < 1 || size < 2 * periods) {
        return "too few points for a spectrum: " + std::to_string(size) + " for " +
               std::to_string(periods) + (periods == 1 ? " period" : " periods");
    }
    if (!plan_ || plan_->size != size) {
        plan_ = std::make_unique<Plan>(size);
    }
    std::copy(codes.begin(), codes.end(), plan_->input);
    fftw_execute(plan_->plan);

    WaveSpectrum result;
    result.fundamentalCodes = plan_->Amplitude(periods);
    // Rounding leaves about 1e-13 codes in the lines of a constant buffer.
    if (!(result.fundamentalCodes > 1e-9)) {
        return "no fundamental: the wave is constant";
    }
    const int harmonics = size / 2 / periods;
    result.harmonicsDbc.reserve(static_cast<std::size_t>(harmonics));
    double distortion = 0.0;
    for (int k = 1; k <= harmonics; ++k) {
        const double amplitude = plan_->Amplitude(k * periods);
        result.harmonicsDbc.push_back(Dbc(amplitude, result.fundamentalCodes));
        if (k > 1) {
            distortion += amplitude * amplitude;
        }
    }
    result.thdPercent = 100.0 * std::sqrt(distortion) / result.fundamentalCodes;
    // Noise power 1/12 code² over size/2 lines, against the fundamental's power A²/2.
    result.quantisationFloorDbc =
        10.0 * std::log10(1.0 / (3.0 * size * result.fundamentalCodes * result.fundamentalCodes));
    spectrum = std::move(result);
    return {};
}

std::string SpectrumOfWave(const WaveParams& params, SpectrumAnalyser& analyser,
                           WaveSpectrum& spectrum) {
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(LimitPointCount(params.pointCount)));
    FillDacCodes(params, codes, ThreadNoise());
    return analyser.Analyse(codes, std::max(params.periodCount, 1), spectrum);
}

}  // namespace korvane
