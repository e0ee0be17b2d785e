#pragma once

#include <complex>
#include <vector>

namespace korvane::test {

// The spectrum of a stretch of samples (rectangular window): the tests play frequencies that fit
// a whole number of periods into the stretch, so every tone falls on one bin and no window's
// leakage hides what lies 100 dB below it.
class Spectrum {
  public:
    // `samples.size()` / `rate` seconds; bin k is k × rate / size hertz.
    Spectrum(const std::vector<float>& samples, double rate);

    double BinHz() const { return binHz_; }
    int Bins() const { return static_cast<int>(bins_.size()); }
    int BinOf(double hz) const;
    // Peak amplitude of the tone in bin k (full scale 1.0); the mean for bin 0.
    double Amplitude(int k) const;
    // Phase (radians, cosine reference) of bin k.
    double Phase(int k) const { return std::arg(bins_[static_cast<std::size_t>(k)]); }
    // The bin with the most power, DC left out.
    int Peak() const;
    // Everything but DC and the fundamental (bin `k`) against the fundamental, in dB.
    double ThdPlusNoiseDb(int k) const;
    // The strongest bin that is not DC and not a whole multiple of bin `k`, in dB against it.
    double LargestNonHarmonicDbc(int k) const;

  private:
    double Power(int k) const { return std::norm(bins_[static_cast<std::size_t>(k)]); }

    std::vector<std::complex<double>> bins_;
    double binHz_;
    double size_;
};

}  // namespace korvane::test
