#include "engine/device_library/sound_card_wave_table.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <type_traits>

namespace korvane {
namespace {

constexpr int kMinTableBits = 10;
constexpr int kMaxTableBits = 16;
constexpr int kPointsPerHighestHarmonic = 64;

// FFTW's planner is not thread-safe; executing a plan is. Channels download from their own
// workers, so planning takes turns.
std::mutex& PlannerMutex() {
    static std::mutex mutex;
    return mutex;
}

struct PlanDeleter {
    void operator()(fftw_plan plan) const {
        std::lock_guard lock(PlannerMutex());
        fftw_destroy_plan(plan);
    }
};
using Plan = std::unique_ptr<std::remove_pointer_t<fftw_plan>, PlanDeleter>;

fftw_complex* AsFftw(std::complex<double>* bins) {
    return reinterpret_cast<fftw_complex*>(bins);
}

}  // namespace

WaveSpectrum::WaveSpectrum(std::span<const double> period)
    : points_(std::max<int>(1, static_cast<int>(period.size()))),
      flat_(true),
      bins_(static_cast<std::size_t>(points_ / 2 + 1)) {
    std::vector<double> input(period.begin(), period.end());
    input.resize(static_cast<std::size_t>(points_), 0.0);
    flat_ = std::all_of(input.begin(), input.end(), [&](double v) { return v == input.front(); });
    Plan plan;
    {
        std::lock_guard lock(PlannerMutex());
        plan.reset(fftw_plan_dft_r2c_1d(points_, input.data(), AsFftw(bins_.data()),
                                        FFTW_ESTIMATE | FFTW_DESTROY_INPUT));
    }
    fftw_execute(plan.get());
    for (std::complex<double>& bin : bins_) {
        bin /= points_;
    }
}

int WaveSpectrum::HighestHarmonic(double frequency, double rate) const {
    // A table of n points holds harmonics below n / 2; the one at n / 2 has no phase of its own.
    const int tableLimit = (points_ - 1) / 2;
    if (!(frequency > 0.0)) {
        return tableLimit;
    }
    // Strictly below half the rate: a harmonic there would fold onto itself.
    double below = std::ceil(rate / 2.0 / frequency) - 1.0;
    return static_cast<int>(std::clamp(below, 0.0, static_cast<double>(tableLimit)));
}

WaveTable WaveSpectrum::BandLimited(double frequency, double rate) const {
    const int highest = HighestHarmonic(frequency, rate);
    WaveTable table;
    table.bits = kMinTableBits;
    while (table.bits < kMaxTableBits && (1 << table.bits) < highest * kPointsPerHighestHarmonic) {
        ++table.bits;
    }
    const int size = table.Size();
    std::vector<std::complex<double>> bins(static_cast<std::size_t>(size / 2 + 1));
    std::copy_n(bins_.begin(), highest + 1, bins.begin());
    std::vector<double> output(static_cast<std::size_t>(size));
    {
        Plan plan;
        {
            std::lock_guard lock(PlannerMutex());
            plan.reset(fftw_plan_dft_c2r_1d(size, AsFftw(bins.data()), output.data(),
                                            FFTW_ESTIMATE | FFTW_DESTROY_INPUT));
        }
        fftw_execute(plan.get());
    }
    table.samples.resize(static_cast<std::size_t>(size) + 3);
    table.samples[0] = static_cast<float>(output.back());
    std::copy(output.begin(), output.end(), table.samples.begin() + 1);
    table.samples[static_cast<std::size_t>(size) + 1] = static_cast<float>(output[0]);
    table.samples[static_cast<std::size_t>(size) + 2] = static_cast<float>(output[1]);
    return table;
}

}  // namespace korvane
