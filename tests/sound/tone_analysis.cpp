#include "tone_analysis.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>

namespace korvane::test {

Spectrum::Spectrum(const std::vector<float>& samples, double rate)
    : bins_(samples.size() / 2 + 1),
      binHz_(rate / static_cast<double>(samples.size())),
      size_(static_cast<double>(samples.size())) {
    if (samples.size() < 2) {
        bins_.assign(2, {});  // nothing was recorded: no tone anywhere
        return;
    }
    std::vector<double> input(samples.begin(), samples.end());
    fftw_plan plan =
        fftw_plan_dft_r2c_1d(static_cast<int>(input.size()), input.data(),
                             reinterpret_cast<fftw_complex*>(bins_.data()), FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
}

int Spectrum::BinOf(double hz) const {
    return static_cast<int>(std::lround(hz / binHz_));
}

double Spectrum::Amplitude(int k) const {
    if (k == 0) {
        return bins_[0].real() / size_;  // the mean keeps its sign
    }
    return std::abs(bins_[static_cast<std::size_t>(k)]) * 2.0 / size_;
}

int Spectrum::Peak() const {
    int best = 1;
    for (int k = 1; k < Bins(); ++k) {
        if (Power(k) > Power(best)) {
            best = k;
        }
    }
    return best;
}

double Spectrum::ThdPlusNoiseDb(int k) const {
    double rest = 0.0;
    for (int j = 1; j < Bins(); ++j) {
        if (j != k) {
            rest += Power(j);
        }
    }
    return 10.0 * std::log10(rest / Power(k));
}

double Spectrum::LargestNonHarmonicDbc(int k) const {
    double largest = 0.0;
    for (int j = 1; j < Bins(); ++j) {
        if (j % k != 0) {
            largest = std::max(largest, Power(j));
        }
    }
    return 10.0 * std::log10(largest / Power(k));
}

}  // namespace korvane::test
