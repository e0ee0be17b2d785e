#include "engine/wave_formulas.h"

namespace korvane::formulas {

Prepared Prepare(const WaveParams& p, TimeBase timeBase) {
    Prepared q{};
    q.params = &p;
    float a = p.amplitude * kVoltScaleSingle;
    q.amplitude = p.attenuate20dB ? a * 0.1 : a;
    q.offset = p.offset * kVoltScaleDouble;
    // A count of 0 would divide by zero: treat it as one period.
    int n = timeBase == TimeBase::Buffer ? p.periodCount : p.waveNumber;
    q.periods = n < 1 ? 1.0 : n;
    q.period = 1.0 / q.periods;
    // The phase is a fraction of one period on either time base, so the display starts where
    // the buffer the device plays starts.
    q.phaseShift = p.phase / q.periods;
    double f = p.frequency < 1.0 ? 1.0 : p.frequency;
    q.expScale = p.exponentTimeConstant == 0.0f
                     ? 0.0
                     : -q.periods / static_cast<double>(p.exponentTimeConstant) / f * kLog2E;
    q.amFmF = p.fmMode ? (p.frequency == 0.0 ? 1.0 : p.frequency) : f;
    q.arbCount = LimitPointCount(p.arbPointCount);
    q.arbSpan = q.periods * q.arbCount;
    q.squareEdge = p.squareDuty / q.periods;
    q.rampEdge = p.rampDuty / q.periods;
    q.rampFall = (1.0 - p.rampDuty) / q.periods;
    q.trapRise = p.trapeziaRise / q.periods;
    q.trapHigh = p.trapeziaHigh / q.periods;
    q.trapFall = p.trapeziaFall / q.periods;
    q.trapFallStart = (p.trapeziaRise + p.trapeziaHigh) / q.periods;
    q.trapLowStart = (p.trapeziaRise + p.trapeziaHigh + p.trapeziaFall) / q.periods;
    return q;
}

}  // namespace korvane::formulas
