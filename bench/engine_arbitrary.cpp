// Cost of the arbitrary-wave tools on the largest table: an equation into 4096 points, and the
// spectrum of 4096 DAC codes with the plan already made.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/wave_equation.h"
#include "engine/wave_harmonics.h"

namespace korvane {
namespace {

void BM_EquationInto4096Points(benchmark::State& state) {
    WaveEquation equation;
    EquationError error;
    if (!equation.SetExpression("2 * sin(2 * pi * t) + 0.5 * sin(6 * pi * t) * exp(-t) + i / n",
                                error)) {
        state.SkipWithError(error.message.c_str());
        return;
    }
    FittedWave table;
    for (auto _ : state) {
        equation.Evaluate(kMaxPoints, table, error);
        benchmark::DoNotOptimize(table.points.data());
    }
}
BENCHMARK(BM_EquationInto4096Points)->Unit(benchmark::kMillisecond);

void BM_SpectrumOf4096Codes(benchmark::State& state) {
    WaveParams params;
    params.waveType = Square;
    params.pointCount = kMaxPoints;
    params.periodCount = 1;
    std::vector<std::uint16_t> codes(kMaxPoints);
    FillDacCodes(params, codes, ThreadNoise());
    SpectrumAnalyser analyser;
    WaveSpectrum spectrum;
    analyser.Analyse(codes, 1, spectrum);  // the plan is made once, outside the timing
    for (auto _ : state) {
        analyser.Analyse(codes, 1, spectrum);
        benchmark::DoNotOptimize(spectrum.thdPercent);
    }
}
BENCHMARK(BM_SpectrumOf4096Codes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvane
