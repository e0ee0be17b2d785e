#include "engine/synthesis.h"

#include <algorithm>
#include <cmath>

#include "engine/wave_formulas.h"

namespace korvane {
namespace {

using namespace formulas;

// Evaluates one wave formula over the whole buffer; the switch stays outside the loop. The times
// i / n + phase shift are formed a block ahead, two at a time, so that each pair of divisions goes
// out as one vector instruction; every time is still the exactly rounded quotient, which the
// segment edges need (i x (1 / n) falls one step short for many i). `store` (i, value) receives
// each normalised sample.
template <typename Formula, typename Store>
void FillWith(const Prepared& q, int size, Formula formula, Store store) {
    constexpr int kBlock = 512;
    const double n = size;
    alignas(16) double times[kBlock];
    for (int first = 0; first < size; first += kBlock) {
        const int count = std::min(kBlock, size - first);
        for (int k = 0; k < count; k += 2) {  // an odd count forms one time more, unused
            times[k] = (first + k) / n + q.phaseShift;
            times[k + 1] = (first + k + 1) / n + q.phaseShift;
        }
        for (int k = 0; k < count; ++k) {
            store(first + k, formula(times[k]));
        }
    }
}

// Waves without time: the noise, and the silence of an unknown wave type.
template <typename Draw, typename Store>
void FillWithoutTime(int size, Draw draw, Store store) {
    for (int i = 0; i < size; ++i) {
        store(i, draw());
    }
}

// The table point of every buffer sample, stepped in whole numbers: sample i of n reads point
// floor(N x count x i / n + count x phase) mod count. Formed in floating point, i / n x N x count
// falls just below a whole point now and then (point 15 of a 22-point table read as 14), so a
// table of exactly one period would lose points; the integer steps also spare a division and a
// 64-bit remainder per sample.
template <typename Store>
void FillArbitrary(const Prepared& q, int n, Store store) {
    if (n == 0) {
        return;
    }
    const int count = q.arbCount;
    const long long step = static_cast<long long>(q.periods) * count;  // table points per buffer
    const int stepWhole = static_cast<int>(step / n % count);
    const int stepRest = static_cast<int>(step % n);
    // The phase moves every sample by the same number of points: whole points and a part.
    double shift = std::fmod(count * static_cast<double>(q.params->phase), count);
    if (!std::isfinite(shift)) {
        shift = 0.0;
    }
    if (shift < 0.0) {
        shift += count;
    }
    const int shiftWhole = shift < count ? static_cast<int>(shift) : 0;
    const double shiftPart = shift < count ? shift - shiftWhole : 0.0;
    // Sample i reads floor((i x step + start) / n) mod count: the part of a point moves the
    // remainder's origin, so that it carries into the next point at rest / n + shiftPart >= 1.
    const int start = std::min(n - 1, static_cast<int>(std::floor(n * shiftPart)));
    int j = shiftWhole;  // the point of sample i
    int rest = start;    // (i x step + start) mod n
    for (int i = 0; i < n; ++i) {
        store(i, q.params->arbPoints[static_cast<std::size_t>(j)] * kVoltScaleSingle);
        rest += stepRest;
        j += stepWhole;
        if (rest >= n) {
            rest -= n;
            ++j;
        }
        j = j >= count ? j - count : j;
    }
}

// A whole output buffer of `size` points on the buffer time base, each normalised sample handed
// to `store` (i, value).
template <typename Store>
void FillBuffer(const WaveParams& params, int size, NoiseSource& noise, Store store) {
    Prepared q = Prepare(params, TimeBase::Buffer);
    switch (params.waveType) {
        case Sine:
            return FillWith(
                q, size, [&](double tp) { return SineAt(q, tp); }, store);
        case Ramp:
            return FillWith(
                q, size, [&](double tp) { return RampAt(q, tp); }, store);
        case Square:
            return FillWith(
                q, size, [&](double tp) { return SquareAt(q, tp); }, store);
        case Exponent:
            return FillWith(
                q, size, [&](double tp) { return ExponentAt(q, tp); }, store);
        case Arbitrary:
            return FillArbitrary(q, size, store);
        case Trapezia:
            return FillWith(
                q, size, [&](double tp) { return TrapeziaAt(q, tp); }, store);
        case AmFm:
            return FillWith(
                q, size, [&](double tp) { return AmFmAt(q, tp); }, store);
        case GaussNoise:
            return FillWithoutTime(
                size, [&] { return GaussNoiseAt(q, noise); }, store);
        case WhiteNoise:
            return FillWithoutTime(
                size, [&] { return WhiteNoiseAt(q, noise); }, store);
        default:
            return FillWithoutTime(
                size, [] { return 0.0; }, store);
    }
}

}  // namespace

double Sample(const WaveParams& params, double t, TimeBase timeBase, NoiseSource& noise) {
    Prepared q = Prepare(params, timeBase);
    return Evaluate(q, t + q.phaseShift, noise);
}

double PreviewSample(const WaveParams& params, double t, NoiseSource& noise) {
    constexpr double K = 0.5714285714285714;  // 2 V on the 3.5 V scale
    double u = 2.0 * t;
    double ph = t - static_cast<double>(static_cast<long long>(u)) * 0.5;
    switch (params.waveType) {
        case Sine:
            return std::sin(t * 12.56636) * K;
        case Ramp:
            return ph < 0.25 ? (ph * 8.0 - 1.0) * K : (1.0 - (ph - 0.25) * 8.0) * K;
        case Square:
            return ph < 0.25 ? K : -K;
        case Exponent:
            return std::exp(-2.0 * ph) * K;
        case Arbitrary:
            return ArbitraryAt(Prepare(params, TimeBase::Buffer), t);
        case Trapezia: {
            // The thresholds are single-precision values compared at double precision.
            if (ph >= static_cast<double>(0.4f)) {
                return -K;
            }
            if (ph >= static_cast<double>(0.3f)) {
                double v = (1.0 - (ph - 0.1 - 0.2) * 20.0) * K;
                return v < -K ? -K : (v > K ? K : v);
            }
            if (ph >= 0.1) {
                return K;
            }
            return (ph * (2.0 / static_cast<double>(0.1f)) - 1.0) * K;
        }
        case AmFm: {
            double s = std::sin(u * kModulationTwoPi);
            if (params.fmMode) {
                return std::sin(s * 3.0 + u * 62.831852) * K;
            }
            return (s * 0.25 + 0.75) * std::sin(u * 62.831852) * K;
        }
        case GaussNoise: {
            int r1 = noise.Next();
            int r2 = noise.Next();
            return (r1 / kNoiseScale) * std::sin(r2 * kModulationTwoPi / kNoiseScale) * K;
        }
        case WhiteNoise:
            return (noise.Next() - 16384) * 3.487723214285714e-5;
        default:
            return 0.0;
    }
}

bool OutputClips(const WaveParams& params) {
    if (!params.outputOn) {
        return false;  // every code is mid scale
    }
    const Prepared q = Prepare(params, TimeBase::Buffer);
    switch (params.waveType) {
        case GaussNoise:
        case WhiteNoise:
            return false;  // no offset, and the amplitude is at most full scale
        case Arbitrary:
            for (int j = 0; j < q.arbCount; ++j) {
                if (std::abs(params.arbPoints[static_cast<std::size_t>(j)] * kVoltScaleSingle) >
                    1.0f) {
                    return true;
                }
            }
            return false;
        default:
            break;
    }
    // The buffer's own samples: a peak between two of them never reaches the DAC.
    const int points = LimitPointCount(params.pointCount);
    NoiseSource unused;
    for (int i = 0; i < points; ++i) {
        if (std::abs(Evaluate(q, static_cast<double>(i) / points + q.phaseShift, unused)) > 1.0) {
            return true;
        }
    }
    return false;
}

std::uint16_t ToDacCode(double value, int outputOn) {
    if (!outputOn) {
        return 2048;
    }
    // Truncation toward zero; the integer conversion does it for the positive codes that remain
    // (std::trunc would be a library call here). Codes inside the scale take one range check.
    const double c = 2048.0 - value * 2047.0;
    if (c >= 1.0 && c < 4095.0) {
        return static_cast<std::uint16_t>(static_cast<int>(c));
    }
    // A non-finite sample (a damaged parameter) is sent as 0 V rather than an undefined integer.
    if (!std::isfinite(value)) {
        return 2048;
    }
    return c >= 4095.0 ? 4095 : 0;
}

void FillDacCodes(const WaveParams& params, std::span<std::uint16_t> codes, NoiseSource& noise) {
    const int outputOn = params.outputOn;
    FillBuffer(params, static_cast<int>(codes.size()), noise, [&](int i, double value) {
        codes[static_cast<std::size_t>(i)] = ToDacCode(value, outputOn);
    });
}

void FillVolts(const WaveParams& params, std::span<double> volts, NoiseSource& noise) {
    const bool on = params.outputOn != 0;
    FillBuffer(params, static_cast<int>(volts.size()), noise, [&](int i, double value) {
        volts[static_cast<std::size_t>(i)] =
            on && std::isfinite(value) ? value * kFullScaleVolts : 0.0;
    });
}

}  // namespace korvane
