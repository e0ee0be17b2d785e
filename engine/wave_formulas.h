#pragma once

// The wave formulas shared by the buffer, the display and the clipping check: each one a function
// of the normalised time t' (t plus the phase shift) on values prepared once per buffer.

#include <cmath>

#include "engine/synthesis.h"

namespace korvane::formulas {

// Volts to the normalised ±3.5 V scale. The amplitude and the point table use the float nearest
// to 2/7 (products formed in single precision); the offset uses the double.
constexpr float kVoltScaleSingle = 0.2857143f;
constexpr double kVoltScaleDouble = 0.2857142857142857;
constexpr double kSineTwoPi = 6.28318;          // deliberately not 2π: the sine has always used it
constexpr double kModulationTwoPi = 6.2831852;  // AM/FM and Gauss noise
constexpr double kLog2E = 1.4426950408889634;
constexpr double kNoiseScale = 32768.0;

// Per-buffer values computed once, not per sample.
struct Prepared {
    const WaveParams* params;
    double amplitude;   // A
    double offset;      // O
    double periods;     // N
    double period;      // P = 1 / N
    double phaseShift;  // added to t
    double expScale;    // -N / tau / F for the exponent, in log2 units
    double amFmF;       // F of the AM/FM formulas
    int arbCount;       // used entries of the table, 1..4096
    double arbSpan;     // table points across t' = 1: one table per period, N × arbCount
    // Segment edges and spans within one period, each formed as the formulas state.
    double squareEdge;                    // squareDuty / N
    double rampEdge;                      // rampDuty / N
    double rampFall;                      // (1 - rampDuty) / N
    double trapRise, trapHigh, trapFall;  // each fraction / N
    double trapFallStart, trapLowStart;   // (rise + high) / N, (rise + high + fall) / N
};

// Per-buffer values of `p` on `timeBase`.
Prepared Prepare(const WaveParams& p, TimeBase timeBase);

// Position inside the current period: ph in [0, P) for t' >= 0.
inline double PeriodPosition(const Prepared& q, double tp) {
    auto k = static_cast<long long>(tp / q.period);
    return tp - static_cast<double>(k) * q.period;
}

inline double SineAt(const Prepared& q, double tp) {
    return q.amplitude * std::sin(q.periods * tp * kSineTwoPi) + q.offset;
}

inline double RampAt(const Prepared& q, double tp) {
    double ph = PeriodPosition(q, tp);
    double d = q.rampEdge;
    double y = ph < d ? 2.0 * ph / d - 1.0 : 1.0 - 2.0 * (ph - d) / q.rampFall;
    return q.amplitude * y + q.offset;
}

inline double SquareAt(const Prepared& q, double tp) {
    double ph = PeriodPosition(q, tp);
    return ph < q.squareEdge ? q.offset + q.amplitude : q.offset - q.amplitude;
}

inline double ExponentAt(const Prepared& q, double tp) {
    if (q.params->exponentTimeConstant == 0.0f) {
        return q.offset;
    }
    double e = std::exp2(PeriodPosition(q, tp) * q.expScale);
    double y = q.params->exponentRaise ? e : 1.0 - e;
    return q.offset + q.amplitude * y;
}

// The table holds one period. When it has exactly pointCount / N points this is the point of the
// same index; a table of another length (a file's) is stretched over the period.
inline double ArbitraryAt(const Prepared& q, double tp) {
    auto j = static_cast<long long>(q.arbSpan * tp) % q.arbCount;
    if (j < 0) {
        j += q.arbCount;
    }
    return q.params->arbPoints[static_cast<std::size_t>(j)] * kVoltScaleSingle;
}

inline double TrapeziaAt(const Prepared& q, double tp) {
    double ph = PeriodPosition(q, tp);
    double low = q.offset - q.amplitude;
    double high = q.offset + q.amplitude;
    if (ph >= q.trapLowStart) {
        return low;
    }
    if (ph >= q.trapFallStart) {
        double v =
            q.amplitude * (1.0 - 2.0 * (ph - q.trapRise - q.trapHigh) / q.trapFall) + q.offset;
        return v < low ? low : (v > high ? high : v);
    }
    if (ph >= q.trapRise) {
        return high;
    }
    return q.amplitude * (2.0 * ph / q.trapRise - 1.0) + q.offset;
}

inline double AmFmAt(const Prepared& q, double tp) {
    const WaveParams& p = *q.params;
    double x = q.periods * tp * kModulationTwoPi;
    double s1 = std::sin(x);
    if (p.fmMode) {
        return std::sin(p.carrierFrequency * x / q.amFmF + s1 * p.fmDeviation / q.amFmF) *
                   q.amplitude +
               q.offset;
    }
    double m = p.amDepth * 0.5f;
    double envelope = s1 * m + (1.0 - m);
    double carrier = std::sin(p.carrierFrequency * x / q.amFmF);
    return envelope * carrier * q.amplitude + q.offset;
}

inline double GaussNoiseAt(const Prepared& q, NoiseSource& noise) {
    int r1 = noise.Next();
    int r2 = noise.Next();
    return std::sin(r2 * kModulationTwoPi / kNoiseScale) * q.amplitude * (r1 / kNoiseScale);
}

inline double WhiteNoiseAt(const Prepared& q, NoiseSource& noise) {
    return (noise.Next() - 16384) * q.amplitude / 16384.0;
}

inline double Evaluate(const Prepared& q, double tp, NoiseSource& noise) {
    switch (q.params->waveType) {
        case Sine:
            return SineAt(q, tp);
        case Ramp:
            return RampAt(q, tp);
        case Square:
            return SquareAt(q, tp);
        case Exponent:
            return ExponentAt(q, tp);
        case Arbitrary:
            return ArbitraryAt(q, tp);
        case Trapezia:
            return TrapeziaAt(q, tp);
        case AmFm:
            return AmFmAt(q, tp);
        case GaussNoise:
            return GaussNoiseAt(q, noise);
        case WhiteNoise:
            return WhiteNoiseAt(q, noise);
        default:
            return 0.0;
    }
}

}  // namespace korvane::formulas
