// Importing the largest inputs a user may pick: a text file of 1,000,000 "time,volts" lines and a
// 10-minute CD-quality stereo WAV, each read and fitted to 4096 points. The files are written
// once into a temporary folder and removed at the end. Run one at a time under /usr/bin/time -v
// (--benchmark_filter) to see the peak memory of each.
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "engine/wave_resample.h"
#include "formats/wave_sound_import.h"

namespace korvane {
namespace {

class BenchFiles {
  public:
    BenchFiles() : folder_(std::filesystem::temp_directory_path() / "korvane-bench-import") {
        std::filesystem::create_directories(folder_);
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path Text() {
        std::filesystem::path path = folder_ / "million.csv";
        if (!std::filesystem::exists(path)) {
            std::ofstream out(path);
            out << "time,volts\n";
            char line[64];
            for (int k = 0; k < 1'000'000; ++k) {
                std::snprintf(line, sizeof line, "%.7f,%.6f\n", k * 1e-6,
                              3.0 * std::sin(2.0 * std::numbers::pi * k / 1e6));
                out << line;
            }
        }
        return path;
    }

    std::filesystem::path Sound() {
        std::filesystem::path path = folder_ / "ten_minutes.wav";
        if (!std::filesystem::exists(path)) {
            constexpr int kRate = 44100;
            SF_INFO info{};
            info.samplerate = kRate;
            info.channels = 2;
            info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
            SNDFILE* sound = sf_open(path.c_str(), SFM_WRITE, &info);
            std::vector<short> chunk(2 * kRate);
            for (int second = 0; second < 600; ++second) {
                for (int k = 0; k < kRate; ++k) {
                    auto sample = static_cast<short>(
                        20000.0 * std::sin(2.0 * std::numbers::pi * 440.0 * k / kRate));
                    chunk[2 * static_cast<std::size_t>(k)] = sample;
                    chunk[2 * static_cast<std::size_t>(k) + 1] = static_cast<short>(-sample);
                }
                sf_writef_short(sound, chunk.data(), kRate);
            }
            sf_close(sound);
        }
        return path;
    }

  private:
    std::filesystem::path folder_;
};

BenchFiles& Files() {
    static BenchFiles files;
    return files;
}

void ImportAndFit(benchmark::State& state, const std::filesystem::path& path) {
    for (auto _ : state) {
        ImportedWave wave;
        ImportError error;
        if (!ImportWaveFile(path, {}, wave, error)) {
            state.SkipWithError(error.Text().c_str());
            return;
        }
        FitOptions fit;
        fit.pointCount = 4096;
        FittedWave table = FitToTable(wave.values, fit);
        benchmark::DoNotOptimize(table.points.data());
    }
}

void BM_ImportMillionLineText(benchmark::State& state) {
    ImportAndFit(state, Files().Text());
}
BENCHMARK(BM_ImportMillionLineText)->Unit(benchmark::kMillisecond);

void BM_ImportTenMinuteWav(benchmark::State& state) {
    ImportAndFit(state, Files().Sound());
}
BENCHMARK(BM_ImportTenMinuteWav)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
