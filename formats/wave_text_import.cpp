#include "formats/wave_text_import.h"

#include <cmath>
#include <vector>

#include "formats/csv_file.h"
#include "formats/wave_text_format.h"
#include "platform/atomic_file.h"

namespace korvane {
namespace {

// Data lines looked at to decide the number format.
constexpr std::size_t kDetectionLines = 100;

// Splits text into numbered lines at LF, CR LF or a lone CR.
class NumberedLines {
  public:
    explicit NumberedLines(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line) {
        if (rest_.empty()) {
            return false;
        }
        std::size_t end = rest_.find_first_of("\r\n");
        line = rest_.substr(0, end);
        std::size_t skip = end == std::string_view::npos ? rest_.size() : end + 1;
        if (end != std::string_view::npos && rest_[end] == '\r' && skip < rest_.size() &&
            rest_[skip] == '\n') {
            ++skip;
        }
        rest_.remove_prefix(skip);
        ++number_;
        return true;
    }
    int Number() const { return number_; }

  private:
    std::string_view rest_;
    int number_ = 0;
};

enum class LineKind { Empty, Comment, Numbers, Words };

LineKind Classify(std::string_view line) {
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return LineKind::Empty;
    }
    line.remove_prefix(first);
    if (line.front() == '#' || line.front() == ';' || line.substr(0, 2) == "//") {
        return LineKind::Comment;
    }
    return LooksNumeric(line) ? LineKind::Numbers : LineKind::Words;
}

std::string Shortened(std::string_view text) {
    constexpr std::size_t kShown = 40;
    return text.size() <= kShown ? std::string(text) : std::string(text.substr(0, kShown)) + "...";
}

// The first data lines after (and including) the one `lines` has just returned.
std::vector<std::string_view> DetectionSample(std::string_view first, NumberedLines lines) {
    std::vector<std::string_view> sample{first};
    for (std::string_view line; sample.size() < kDetectionLines && lines.Next(line);) {
        LineKind kind = Classify(line);
        if (kind == LineKind::Numbers) {
            sample.push_back(line);
        } else if (kind == LineKind::Words) {
            break;  // reported where it stands when the lines are read
        }
    }
    return sample;
}

// Reads the data lines, from the first one on, into `wave`.
class ValueReader {
  public:
    ValueReader(const std::string& file, const ImportOptions& options, ImportedWave& wave,
                ImportError& error)
        : file_(file), options_(options), wave_(wave), error_(error) {}

    bool Start(std::string_view line, int number, const TextNumberFormat& format) {
        format_ = format;
        SplitFields(line, format.separator, fields_);
        columns_ = static_cast<int>(fields_.size());
        valueColumn_ = options_.column > 0 ? options_.column : columns_;
        if (valueColumn_ > columns_) {
            return Fail(number, "column " + std::to_string(valueColumn_) +
                                    " requested, but the file has " + std::to_string(columns_) +
                                    (columns_ == 1 ? " column" : " columns"));
        }
        return Read(line, number);
    }

    bool Read(std::string_view line, int number) {
        SplitFields(line, format_.separator, fields_);
        if (static_cast<int>(fields_.size()) != columns_) {
            return Fail(number, "expected " + std::to_string(columns_) +
                                    (columns_ == 1 ? " column" : " columns") + ", found " +
                                    std::to_string(fields_.size()) + ": \"" + Shortened(line) +
                                    "\"");
        }
        if (static_cast<long long>(wave_.values.size()) >= kMaxWaveTextValues) {
            return Fail(number, "more than " + std::to_string(kMaxWaveTextValues) + " values");
        }
        for (int column = 1; column <= columns_; ++column) {
            if (column != valueColumn_ && column != TimeColumn()) {
                continue;
            }
            double number_read = 0.0;
            std::string problem = ParseNumber(fields_[static_cast<std::size_t>(column - 1)],
                                              format_.decimalComma, number_read);
            if (!problem.empty()) {
                return Fail(number, columns_ == 1
                                        ? problem
                                        : problem + " in column " + std::to_string(column));
            }
            if (column == valueColumn_) {
                wave_.values.push_back(number_read);
            } else {
                (wave_.values.empty() ? firstTime_ : lastTime_) = number_read;
            }
        }
        return true;
    }

    void Finish() {
        ImportDetection& found = wave_.detection;
        found.separator = format_.separator;
        found.decimalComma = format_.decimalComma;
        found.columns = columns_;
        found.valueColumn = valueColumn_;
        found.pointCount = static_cast<long long>(wave_.values.size());
        found.format = "text";
        // Evenly spaced times give the rate; a time column that does not rise gives none.
        double count = static_cast<double>(wave_.values.size());
        double step = (lastTime_ - firstTime_) / (count - 1.0);
        wave_.sampleRate =
            TimeColumn() != 0 && count >= 2 && step > 0.0 && std::isfinite(step) ? 1.0 / step : 0.0;
    }

  private:
    // The first column is the time when it is not the value.
    int TimeColumn() const { return columns_ >= 2 && valueColumn_ != 1 ? 1 : 0; }

    bool Fail(int line, std::string reason) {
        error_ = {file_, line, std::move(reason)};
        return false;
    }

    const std::string& file_;
    const ImportOptions& options_;
    ImportedWave& wave_;
    ImportError& error_;
    TextNumberFormat format_;
    std::vector<std::string_view> fields_;
    int columns_ = 1;
    int valueColumn_ = 1;
    double firstTime_ = 0.0;
    double lastTime_ = 0.0;
};

// The program's own waveform file ("#CLOCK=", "#SIZE=", then "<volts>,0,0" lines) read by its
// own reader, so that importing one gives its points and rate rather than the last column's
// zeros.
bool ParseProgramCsv(std::string_view text, const std::string& file, ImportedWave& wave,
                     ImportError& error) {
    WaveformData waveform;
    switch (ParseCsv(text, waveform)) {
        case WaveformError::None:
            break;
        case WaveformError::TooManyPoints:
            error = {file, 2, "expected #SIZE= of at most 4096 points"};
            return false;
        default:
            error = {file, 2, "expected #SIZE= of 1 or more points and as many point lines"};
            return false;
    }
    ImportedWave read;
    read.values.assign(waveform.points.begin(), waveform.points.end());
    read.sampleRate = waveform.sampleRate > 0.0f ? waveform.sampleRate : 0.0;
    ImportDetection& found = read.detection;
    found.separator = ',';
    found.columns = 3;
    found.headerLines = 2;
    found.pointCount = static_cast<long long>(read.values.size());
    found.format = "waveform CSV";
    wave = std::move(read);
    return true;
}

}  // namespace

bool ParseWaveText(std::string_view text, const std::string& file, const ImportOptions& options,
                   ImportedWave& wave, ImportError& error) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);  // the byte-order mark spreadsheets write
    }
    if (text.substr(0, 7) == "#CLOCK=") {
        return ParseProgramCsv(text, file, wave, error);
    }
    ImportedWave read;
    ValueReader values(file, options, read, error);
    std::vector<std::string_view> header;
    int comments = 0;
    bool started = false;
    NumberedLines lines(text);
    for (std::string_view line; lines.Next(line);) {
        LineKind kind = Classify(line);
        if (kind == LineKind::Empty) {
            continue;
        }
        if (kind == LineKind::Comment) {
            ++comments;
        } else if (!started && kind == LineKind::Words) {
            header.push_back(line);
        } else if (!started) {
            TextNumberFormat format = DetectNumberFormat(header, DetectionSample(line, lines));
            if (!values.Start(line, lines.Number(), format)) {
                return false;
            }
            started = true;
        } else if (!values.Read(line, lines.Number())) {
            return false;
        }
    }
    if (!started) {
        error = {file, 0, "expected one or more lines of numbers, found none"};
        return false;
    }
    values.Finish();
    read.detection.headerLines = static_cast<int>(header.size());
    read.detection.commentLines = comments;
    wave = std::move(read);
    return true;
}

bool ReadWaveTextFile(const std::filesystem::path& path, const ImportOptions& options,
                      ImportedWave& wave, ImportError& error) {
    std::string text;
    if (std::error_code failure = ReadFilePrefix(path, kMaxWaveTextBytes + 1, text)) {
        error = {path.string(), 0, "cannot read the file: " + failure.message()};
        return false;
    }
    if (text.size() > kMaxWaveTextBytes) {
        error = {path.string(), 0,
                 "the file is larger than " + std::to_string(kMaxWaveTextBytes >> 20) + " MB"};
        return false;
    }
    return ParseWaveText(text, path.string(), options, wave, error);
}

}  // namespace korvane
