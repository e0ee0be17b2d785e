// Commands for arbitrary waves: a table from an equation or an imported file, written as the
// program's CSV, and the spectrum of a CSV file's table.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/wave_equation.h"
#include "engine/wave_harmonics.h"
#include "formats/csv_file.h"
#include "formats/wave_sound_import.h"
#include "i18n/language_table.h"
#include "tools/cli/cli_command.h"

namespace korvane::cli {
namespace {

// One line on stderr about bad input, exit status 1.
int BadInput(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    return kFailed;
}

struct ArbArgs {
    std::optional<std::string> expression;
    std::optional<std::string> importPath;
    std::optional<int> points;
    std::optional<double> peak;
    std::optional<int> column;
    std::string output;
};

std::optional<int> WholeNumber(const std::string& text, int low, int high) {
    int value = 0;
    auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> PositiveVolts(const std::string& text) {
    double value = 0.0;
    auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size() || !(value > 0.0) ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Returns "" or the usage error.
std::string ParseArbArgs(const std::vector<std::string>& args, ArbArgs& parsed) {
    std::vector<std::string> files;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& option = args[k];
        if (option.rfind("--", 0) != 0) {
            files.push_back(option);
            continue;
        }
        if (k + 1 == args.size()) {
            return option + " needs a value";
        }
        const std::string& value = args[++k];
        if (option == "--expr") {
            parsed.expression = value;
        } else if (option == "--import") {
            parsed.importPath = value;
        } else if (option == "--points") {
            if (!(parsed.points = WholeNumber(value, 1, kMaxPoints))) {
                return "--points takes a whole number from 1 to 4096, not '" + value + "'";
            }
        } else if (option == "--peak") {
            if (!(parsed.peak = PositiveVolts(value))) {
                return "--peak takes a voltage above 0, not '" + value + "'";
            }
        } else if (option == "--column") {
            if (!(parsed.column = WholeNumber(value, 1, 1 << 16))) {
                return "--column takes a whole number from 1 on, not '" + value + "'";
            }
        } else {
            return "unknown option '" + option + "'";
        }
    }
    if (parsed.expression.has_value() == parsed.importPath.has_value()) {
        return "arb needs either --expr EXPR or --import FILE";
    }
    if (parsed.expression && parsed.column) {
        return "--column goes with --import only";
    }
    if (files.size() != 1) {
        return "arb needs exactly one output FILE.csv";
    }
    parsed.output = files.front();
    return {};
}

// The evaluated or imported values and their rate (0 when unknown); false after reporting.
bool SourceValues(const ArbArgs& args, int defaultCount, std::vector<double>& values,
                  double& sampleRate) {
    if (args.expression) {
        WaveEquation equation;
        EquationError error;
        if (!equation.SetExpression(*args.expression, error) ||
            !equation.EvaluateValues(args.points.value_or(defaultCount), values, error)) {
            std::string where =
                error.position >= 0 ? ", position " + std::to_string(error.position) : "";
            BadInput("expression '" + *args.expression + "'" + where + ": " + error.message);
            return false;
        }
        sampleRate = 0.0;
        return true;
    }
    ImportOptions options;
    options.column = args.column.value_or(0);
    ImportedWave wave;
    ImportError error;
    if (!ImportWaveFile(*args.importPath, options, wave, error)) {
        BadInput(error.Text());
        return false;
    }
    values = std::move(wave.values);
    sampleRate = wave.sampleRate;
    return true;
}

int MakeArbitrary(const std::vector<std::string>& rawArgs) {
    ArbArgs args;
    if (std::string usage = ParseArbArgs(rawArgs, args); !usage.empty()) {
        return UsageError(usage);
    }
    SimulatedDeviceLibrary noHardware(0);
    ChannelState channel(noHardware);
    std::vector<double> values;
    double sampleRate = 0.0;
    if (!SourceValues(args, channel.arbPointCount, values, sampleRate)) {
        return kFailed;
    }
    FitOptions fit;
    fit.pointCount = args.points.value_or(0);
    fit.interpolateShort = args.points.has_value();
    if (args.peak) {
        fit.scale = WaveScale::PeakVolts;
        fit.peakVolts = *args.peak;
    }
    FittedWave table = FitToTable(values, fit);
    const int clipped = table.clippedCount;
    WaveformData waveform = ImportedWaveform(std::move(table.points), values.size(), sampleRate,
                                             channel.frequency.load());
    ApplyWaveform(channel, waveform);
    if (clipped > 0) {
        std::fprintf(stderr, "korvaneawg-cli: %d of %zu points clipped to ±3.5 V\n", clipped,
                     waveform.points.size());
    }
    FileResult result = ExportCsv(channel, args.output);
    // The program's message for a failed save does not name the file.
    return result.ok ? kOk : BadInput(args.output + ": " + result.message);
}

int PrintSpectrum(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return UsageError("spectrum needs exactly one FILE.csv");
    }
    const std::string& path = args.front();
    LanguageTable language;
    WaveformData waveform;
    FileResult read = ReadCsvFile(path, language, waveform);
    if (!read.ok) {
        // The program's messages name the file only when it could not be read at all.
        const bool named = read.message.find(path) != std::string::npos;
        return BadInput(named ? read.message : path + ": " + read.message);
    }
    // The table played point for point: one period of as many DAC codes as it has points.
    WaveParams params;
    params.waveType = Arbitrary;
    params.arbPointCount = static_cast<int>(waveform.points.size());
    std::copy(waveform.points.begin(), waveform.points.end(), params.arbPoints.begin());
    params.pointCount = params.arbPointCount;
    params.periodCount = 1;
    params.phase = 0.0f;
    SpectrumAnalyser analyser;
    WaveSpectrum spectrum;
    if (std::string why = SpectrumOfWave(params, analyser, spectrum); !why.empty()) {
        return BadInput(path + ": " + why);
    }
    for (std::size_t k = 0; k < spectrum.harmonicsDbc.size(); ++k) {
        std::printf("%zu %.2f\n", k + 1, spectrum.harmonicsDbc[k]);
    }
    std::printf("THD %.4f %%\n", spectrum.thdPercent);
    return kOk;
}

const Registration arb{{"arb",
                        "arb (--expr EXPR | --import FILE) [--points N] [--peak V] [--column K] "
                        "FILE.csv   an equation or a text or sound file as a CSV wave",
                        MakeArbitrary}};
const Registration spectrum{{"spectrum",
                             "spectrum FILE.csv             '<k> <dBc>' per harmonic of the CSV "
                             "wave's DAC codes, then 'THD <percent> %'",
                             PrintSpectrum}};

}  // namespace
}  // namespace korvane::cli
