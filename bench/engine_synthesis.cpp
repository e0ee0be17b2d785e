// Cost of building a full 4096-point buffer per wave type, next to a bare loop that evaluates
// the same formula with nothing around it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"

namespace korvane {
namespace {

void BM_Download(benchmark::State& state) {
    SimulatedDeviceLibrary noHardware(0);
    ChannelState channel(noHardware);
    channel.waveType = static_cast<int>(state.range(0));
    channel.pointCount = kMaxPoints;
    channel.periodCount = 4;
    for (int i = 0; i < kMaxPoints; ++i) {
        channel.arbPoints[static_cast<std::size_t>(i)] = std::sin(i * 0.01f);
    }
    for (auto _ : state) {
        channel.Download();
    }
    state.SetItemsProcessed(state.iterations() * kMaxPoints);
    state.SetLabel("wave type " + std::to_string(state.range(0)));
}
BENCHMARK(BM_Download)->DenseRange(0, kWaveTypeCount - 1)->Unit(benchmark::kMicrosecond);

// The formula alone, per wave type, written out in the plainest way. The parameters come from
// memory at run time (as in the engine), so the compiler cannot fold them into constants.
struct BareParams {
    double A = 0.5714286, O = 0.0, N = 4.0, duty = 0.25, rise = 0.2, high = 0.4, fall = 0.2;
    double tau = 0.001, F = 1000.0, carrier = 10000.0, m = 0.25;
    std::vector<float> table = std::vector<float>(kMaxPoints);
};

double BareFormula(int type, double t, NoiseSource& noise, const BareParams& b) {
    double P = 1.0 / b.N;
    double ph = t - static_cast<double>(static_cast<long long>(t / P)) * P;
    switch (type) {
        case Sine:
            return b.A * std::sin(b.N * t * 6.28318) + b.O;
        case Ramp: {
            double d = b.duty / b.N;
            return ph < d ? b.A * (2 * ph / d - 1) + b.O
                          : b.A * (1 - 2 * (ph - d) / ((1 - b.duty) / b.N)) + b.O;
        }
        case Square:
            return ph < b.duty / b.N ? b.O + b.A : b.O - b.A;
        case Exponent:
            return b.O + b.A * std::exp2(-(b.N * ph) / b.tau / b.F * 1.4426950408889634);
        case Arbitrary:
            return b.table[static_cast<std::size_t>(4096 * t) % 1000] * 0.2857143f;
        case Trapezia: {
            double r = b.rise / b.N, h = b.high / b.N, f = b.fall / b.N;
            if (ph >= r + h + f)
                return b.O - b.A;
            if (ph >= r + h)
                return std::clamp(b.A * (1 - 2 * (ph - r - h) / f) + b.O, b.O - b.A, b.O + b.A);
            if (ph >= r)
                return b.O + b.A;
            return b.A * (2 * ph / r - 1) + b.O;
        }
        case AmFm: {
            double x = b.N * t * 6.2831852;
            return (std::sin(x) * b.m + (1 - b.m)) * std::sin(b.carrier * x / b.F) * b.A + b.O;
        }
        case GaussNoise: {
            int r1 = noise.Next();
            return std::sin(noise.Next() * 6.2831852 / 32768) * b.A * (r1 / 32768.0);
        }
        default:
            return (noise.Next() - 16384) * b.A / 16384;
    }
}

void BM_BareLoop(benchmark::State& state) {
    int type = static_cast<int>(state.range(0));
    BareParams params;
    for (int i = 0; i < kMaxPoints; ++i) {
        params.table[static_cast<std::size_t>(i)] = std::sin(i * 0.01f);
    }
    benchmark::DoNotOptimize(&params);
    std::vector<std::uint16_t> codes(kMaxPoints);
    NoiseSource noise;
    for (auto _ : state) {
        for (int i = 0; i < kMaxPoints; ++i) {
            double v = BareFormula(type, i / 4096.0, noise, params);
            double c = 2048.0 - v * 2047.0;  // the DAC code with its limits
            codes[static_cast<std::size_t>(i)] =
                c >= 4095.0 ? 4095 : (c < 1.0 ? 0 : static_cast<std::uint16_t>(c));
        }
        benchmark::DoNotOptimize(codes.data());
    }
    state.SetItemsProcessed(state.iterations() * kMaxPoints);
    state.SetLabel("wave type " + std::to_string(type));
}
BENCHMARK(BM_BareLoop)->DenseRange(0, kWaveTypeCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvane
