// Cost of building a full 4096-point buffer per wave type, each next to a bare loop that computes
// the same codes with the same maths written out plainly. Every bare loop is checked against the
// engine's codes before it is timed, so the two always do the same work.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"

namespace korvane {
namespace {

constexpr const char* kWaveNames[kWaveTypeCount] = {"Sine",     "Ramp",       "Square",
                                                    "Exponent", "Arbitrary",  "Trapezia",
                                                    "AmFm",     "GaussNoise", "WhiteNoise"};
constexpr int kPeriods = 4;

WaveParams BenchParams(int type) {
    WaveParams p;
    p.waveType = type;
    p.pointCount = kMaxPoints;
    p.periodCount = kPeriods;
    p.phase = 0.125f;
    p.squareDuty = 0.25f;
    p.rampDuty = 0.25f;
    p.arbPointCount = kMaxPoints / kPeriods;  // one drawn period
    for (int i = 0; i < p.arbPointCount; ++i) {
        p.arbPoints[static_cast<std::size_t>(i)] = 3.0f * std::sin(i * 0.01f);
    }
    return p;
}

// The whole download: a snapshot of the channel, the synthesis and the (simulated) transfer.
void BM_Download(benchmark::State& state) {
    SimulatedDeviceLibrary noHardware(0);
    ChannelState channel(noHardware);
    const WaveParams p = BenchParams(static_cast<int>(state.range(0)));
    channel.waveType = p.waveType;
    channel.pointCount = p.pointCount;
    channel.periodCount = p.periodCount;
    channel.arbPointCount = p.arbPointCount;
    for (int i = 0; i < p.arbPointCount; ++i) {
        channel.arbPoints[static_cast<std::size_t>(i)] = p.arbPoints[static_cast<std::size_t>(i)];
    }
    for (auto _ : state) {
        channel.Download();
    }
    state.SetItemsProcessed(state.iterations() * kMaxPoints);
    state.SetLabel(kWaveNames[state.range(0)]);
}
BENCHMARK(BM_Download)->DenseRange(0, kWaveTypeCount - 1)->Unit(benchmark::kMicrosecond);

// The parameters of the bare loops, formed once as the engine forms them and read from memory at
// run time, so the compiler cannot fold them into constants.
struct BareParams {
    int type, outputOn, points, tablePoints;
    double A, O, N, P, shift, squareEdge, rampEdge, rampFall, rise, high, fall, fallStart, lowStart,
        expScale, F, carrier, deviation, m;
    const float* table;
};

BareParams BareFrom(const WaveParams& p) {
    const double N = p.periodCount;
    const double f = p.frequency;
    return {p.waveType,
            p.outputOn,
            p.pointCount,
            p.arbPointCount,
            static_cast<double>(p.amplitude * 0.2857143f),
            p.offset * 0.2857142857142857,
            N,
            1.0 / N,
            p.phase / N,
            p.squareDuty / N,
            p.rampDuty / N,
            (1.0 - p.rampDuty) / N,
            p.trapeziaRise / N,
            p.trapeziaHigh / N,
            p.trapeziaFall / N,
            (p.trapeziaRise + p.trapeziaHigh) / N,
            (p.trapeziaRise + p.trapeziaHigh + p.trapeziaFall) / N,
            -N / static_cast<double>(p.exponentTimeConstant) / f * 1.4426950408889634,
            f,
            static_cast<double>(p.carrierFrequency),
            static_cast<double>(p.fmDeviation),
            static_cast<double>(p.amDepth * 0.5f),
            p.arbPoints.data()};
}

std::uint16_t BareCode(double v) {
    const double c = 2048.0 - v * 2047.0;
    return c >= 4095.0 ? 4095 : (c < 1.0 ? 0 : static_cast<std::uint16_t>(static_cast<int>(c)));
}

double PeriodPosition(const BareParams& b, double t) {
    return t - static_cast<double>(static_cast<long long>(t / b.P)) * b.P;
}

// The formulas of time; a segment's position inside its period is formed where it is needed.
double BareFormula(const BareParams& b, double t) {
    const double ph = b.type == Sine || b.type == AmFm ? 0.0 : PeriodPosition(b, t);
    switch (b.type) {
        case Sine:
            return b.A * std::sin(b.N * t * 6.28318) + b.O;
        case Ramp:
            return b.A * (ph < b.rampEdge ? 2.0 * ph / b.rampEdge - 1.0
                                          : 1.0 - 2.0 * (ph - b.rampEdge) / b.rampFall) +
                   b.O;
        case Square:
            return ph < b.squareEdge ? b.O + b.A : b.O - b.A;
        case Exponent:
            return b.O + b.A * std::exp2(ph * b.expScale);
        case Trapezia:
            if (ph >= b.lowStart) {
                return b.O - b.A;
            }
            if (ph >= b.fallStart) {
                return std::clamp(b.A * (1.0 - 2.0 * (ph - b.rise - b.high) / b.fall) + b.O,
                                  b.O - b.A, b.O + b.A);
            }
            if (ph >= b.rise) {
                return b.O + b.A;
            }
            return b.A * (2.0 * ph / b.rise - 1.0) + b.O;
        case AmFm: {
            const double x = b.N * t * 6.2831852;
            return (std::sin(x) * b.m + (1.0 - b.m)) * std::sin(b.carrier * x / b.F) * b.A + b.O;
        }
        default:
            return 0.0;
    }
}

// The noise has no time.
double BareNoise(const BareParams& b, NoiseSource& noise) {
    switch (b.type) {
        case GaussNoise: {
            const int r1 = noise.Next();
            const int r2 = noise.Next();
            return std::sin(r2 * 6.2831852 / 32768.0) * b.A * (r1 / 32768.0);
        }
        default:
            return (noise.Next() - 16384) * b.A / 16384.0;
    }
}

void BareLoop(const BareParams& b, std::vector<std::uint16_t>& codes) {
    NoiseSource noise;
    const double n = b.points;
    if (b.type == Arbitrary) {
        // A plain scaled table read: the table holds one period, read point after point.
        const int shift = static_cast<int>(b.shift * b.N * b.tablePoints);
        for (int i = 0, j = shift; i < b.points; ++i, j = j + 1 == b.tablePoints ? 0 : j + 1) {
            codes[static_cast<std::size_t>(i)] = BareCode(b.table[j] * 0.2857143f);
        }
        return;
    }
    if (b.type == GaussNoise || b.type == WhiteNoise) {
        for (int i = 0; i < b.points; ++i) {
            codes[static_cast<std::size_t>(i)] = BareCode(BareNoise(b, noise));
        }
        return;
    }
    for (int i = 0; i < b.points; ++i) {
        codes[static_cast<std::size_t>(i)] = BareCode(BareFormula(b, i / n + b.shift));
    }
}

void BM_Synthesis(benchmark::State& state, int type) {
    const WaveParams params = BenchParams(type);
    std::vector<std::uint16_t> codes(kMaxPoints);
    for (auto _ : state) {
        NoiseSource noise;
        FillDacCodes(params, codes, noise);
        benchmark::DoNotOptimize(codes.data());
    }
    state.SetItemsProcessed(state.iterations() * kMaxPoints);
}

void BM_BareLoop(benchmark::State& state, int type) {
    const WaveParams params = BenchParams(type);
    std::vector<std::uint16_t> expected(kMaxPoints);
    NoiseSource noise;
    FillDacCodes(params, expected, noise);
    BareParams bare = BareFrom(params);
    benchmark::DoNotOptimize(&bare);
    std::vector<std::uint16_t> codes(kMaxPoints);
    BareLoop(bare, codes);
    if (codes != expected) {
        state.SkipWithError("the bare loop computes other codes than the engine");
        return;
    }
    for (auto _ : state) {
        BareLoop(bare, codes);
        benchmark::DoNotOptimize(codes.data());
    }
    state.SetItemsProcessed(state.iterations() * kMaxPoints);
}

// What the division by the buffer size costs: the sine's bare loop with the times formed by a
// reciprocal. Its codes are not the engine's: i x (1 / n) falls one step below i / n for many i
// (490 of 4082), which would move a sample lying on a segment edge into the earlier segment.
void BM_BareLoopReciprocal(benchmark::State& state) {
    BareParams bare = BareFrom(BenchParams(Sine));
    benchmark::DoNotOptimize(&bare);
    std::vector<std::uint16_t> codes(kMaxPoints);
    for (auto _ : state) {
        const double reciprocal = 1.0 / bare.points;
        for (int i = 0; i < bare.points; ++i) {
            codes[static_cast<std::size_t>(i)] =
                BareCode(BareFormula(bare, i * reciprocal + bare.shift));
        }
        benchmark::DoNotOptimize(codes.data());
    }
    state.SetItemsProcessed(state.iterations() * kMaxPoints);
}

// Registered in pairs, so that each wave type's engine and bare loop are reported side by side.
const bool kRegistered = [] {
    for (int type = 0; type < kWaveTypeCount; ++type) {
        const std::string name = kWaveNames[type];
        benchmark::RegisterBenchmark(("BM_Synthesis/" + name).c_str(), BM_Synthesis, type)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_BareLoop/" + name).c_str(), BM_BareLoop, type)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("BM_BareLoopReciprocal/Sine", BM_BareLoopReciprocal)
        ->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
}  // namespace korvane
