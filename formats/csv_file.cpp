#include "formats/csv_file.h"

#include <algorithm>
#include <cmath>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "formats/fixed_text.h"
#include "formats/message_texts.h"
#include "formats/str_convert.h"
#include "platform/atomic_file.h"

namespace korvane {
namespace {

// Splits text into lines at LF, dropping the CR of a CR LF ending.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    // The next line, or an empty one once the text is used up.
    std::string_view Next() {
        std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return line;
    }
    // Whether no line is left: the text is used up.
    bool AtEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

std::string_view BeforeComma(std::string_view text) {
    return text.substr(0, text.find(','));
}

std::string_view HeaderValue(std::string_view line) {
    std::size_t equals = line.find('=');
    return BeforeComma(equals == std::string_view::npos ? line : line.substr(equals + 1));
}

float PointValue(std::string_view line) {
    std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) {
        return 0.0f;
    }
    auto volts = static_cast<float>(CStrConvert::TextAsDouble(line.substr(0, comma)));
    return std::isfinite(volts) ? volts : 0.0f;
}

}  // namespace

std::string FormatCsv(float sampleRate, std::span<const float> points) {
    std::string text;
    text.reserve(32 + points.size() * 16);
    text += "#CLOCK=" + FixedText(sampleRate, 6) + "\r\n";
    text += "#SIZE=" + std::to_string(points.size()) + "\r\n";
    for (float volts : points) {
        text += FixedText(volts, 6) + ",0,0\r\n";
    }
    return text;
}

WaveformError ParseCsv(std::string_view text, WaveformData& waveform) {
    LineReader lines(text);
    auto sampleRate = static_cast<float>(CStrConvert::TextAsDouble(HeaderValue(lines.Next())));
    int count = CStrConvert::TextAsInt(CStrConvert::Decimal, HeaderValue(lines.Next()));
    if (count < 1) {
        return WaveformError::TooFewPoints;
    }
    if (count > kMaxPoints) {
        return WaveformError::TooManyPoints;
    }
    WaveformData parsed;
    parsed.sampleRate = sampleRate;
    parsed.points.resize(static_cast<std::size_t>(count));
    for (float& point : parsed.points) {
        // A file cut short (a header and no points, or fewer than it announces) would play
        // zeros in place of the lost points.
        if (lines.AtEnd()) {
            return WaveformError::TooFewPoints;
        }
        point = PointValue(lines.Next());
    }
    waveform = std::move(parsed);
    return WaveformError::None;
}

WaveformData WaveformToSave(ChannelState& channel) {
    const int count = LimitPointCount(channel.arbPointCount);
    channel.arbSampleRate = TableSampleRate(count, channel.frequency);
    WaveformData waveform;
    waveform.sampleRate = channel.arbSampleRate;
    waveform.points.resize(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        waveform.points[static_cast<std::size_t>(k)] =
            channel.arbPoints[static_cast<std::size_t>(k)];
    }
    return waveform;
}

FileResult ExportCsv(ChannelState& channel, const std::filesystem::path& path,
                     const char* cannotSaveFormat) {
    WaveformData waveform = WaveformToSave(channel);
    std::error_code error =
        WriteFileAtomically(path, FormatCsv(waveform.sampleRate, waveform.points));
    if (error) {
        return FileResult::Refused(CannotSaveText(cannotSaveFormat, error));
    }
    return FileResult::Success();
}

FileResult ReadCsvFile(const std::filesystem::path& path, const LanguageTable& language,
                       WaveformData& waveform) {
    std::string text;
    if (std::error_code error = ReadFilePrefix(path, kMaxCsvBytes, text)) {
        return FileResult::Refused(CannotReadText(language, path, error));
    }
    WaveformError refusal = ParseCsv(text, waveform);
    if (refusal != WaveformError::None) {
        return FileResult::Refused(WaveformErrorText(refusal, language));
    }
    return FileResult::Success();
}

bool HasProgramCsvHeader(std::string_view text) {
    LineReader lines(text);
    return lines.Next().starts_with("#CLOCK=") && lines.Next().starts_with("#SIZE=");
}

bool IsProgramCsvFile(const std::filesystem::path& path) {
    // Both header lines fit well within this, whatever the sample rate.
    constexpr std::size_t kHeaderBytes = 256;
    std::string head;
    return !ReadFilePrefix(path, kHeaderBytes, head) && HasProgramCsvHeader(head);
}

FileResult ImportCsv(ChannelState& channel, const std::filesystem::path& path,
                     const LanguageTable& language) {
    WaveformData waveform;
    FileResult result = ReadCsvFile(path, language, waveform);
    if (result.ok) {
        ApplyWaveform(channel, waveform);
    }
    return result;
}

}  // namespace korvane
