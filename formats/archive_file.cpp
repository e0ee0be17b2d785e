#include "formats/archive_file.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "engine/wave_type.h"
#include "formats/csv_file.h"
#include "formats/message_texts.h"
#include "platform/atomic_file.h"

namespace korvane {
namespace {

// A scanf-style cursor over one line, narrowed to bytes: code units above 0x7F become a byte that
// no number or keyword contains.
class Scanner {
  public:
    explicit Scanner(std::string line) : text_(std::move(line)) {}

    bool Literal(std::string_view word) {
        if (text_.compare(at_, word.size(), word) != 0) {
            return false;
        }
        at_ += word.size();
        return true;
    }

    // "%f": blanks, an optional sign, then a number. A value out of range is not finite.
    std::optional<double> Number() {
        SkipBlanks();
        bool negative = Sign();
        double value = 0.0;
        const char* first = text_.data() + at_;
        const char* last = text_.data() + text_.size();
        auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
        if (error == std::errc::invalid_argument) {
            return std::nullopt;
        }
        if (error == std::errc::result_out_of_range) {
            value = HUGE_VAL;
        }
        at_ += static_cast<std::size_t>(end - first);
        return negative ? -value : value;
    }

    // "%d": blanks, an optional sign, then decimal digits; the value saturates far beyond any
    // point count.
    std::optional<long long> Integer() {
        SkipBlanks();
        bool negative = Sign();
        long long value = 0;
        std::size_t digits = 0;
        for (; at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9'; ++at_, ++digits) {
            value = std::min(value * 10 + (text_[at_] - '0'), kSaturated);
        }
        if (digits == 0) {
            return std::nullopt;
        }
        return negative ? -value : value;
    }

  private:
    static constexpr long long kSaturated = 1LL << 40;

    void SkipBlanks() {
        while (at_ < text_.size() &&
               std::string_view(" \t\n\v\f\r").find(text_[at_]) != std::string_view::npos) {
            ++at_;
        }
    }

    bool Sign() {
        if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) {
            return text_[at_++] == '-';
        }
        return false;
    }

    std::string text_;
    std::size_t at_ = 0;
};

// Splits UTF-16LE text into lines at LF.
class UnitLines {
  public:
    explicit UnitLines(std::string_view bytes) : bytes_(bytes.substr(0, bytes.size() & ~1u)) {}

    char16_t First() const { return Unit(0); }

    // The next line narrowed to bytes, or nothing once the text is used up.
    std::optional<std::string> Next() {
        if (at_ >= bytes_.size() / 2) {
            return std::nullopt;
        }
        std::string line;
        for (; at_ < bytes_.size() / 2; ++at_) {
            char16_t unit = Unit(at_);
            if (unit == u'\n') {
                ++at_;
                break;
            }
            line += unit < 0x80 ? static_cast<char>(unit) : '\x7f';
        }
        return line;
    }

  private:
    char16_t Unit(std::size_t index) const {
        if (2 * index + 1 >= bytes_.size()) {
            return 0;
        }
        return static_cast<char16_t>(static_cast<std::uint8_t>(bytes_[2 * index]) |
                                     static_cast<std::uint8_t>(bytes_[2 * index + 1]) << 8);
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

std::optional<double> HeaderNumber(std::optional<std::string> line, std::string_view keyword) {
    if (!line) {
        return std::nullopt;
    }
    Scanner scanner(std::move(*line));
    return scanner.Literal(keyword) ? scanner.Number() : std::nullopt;
}

std::optional<long long> HeaderInteger(std::optional<std::string> line, std::string_view keyword) {
    if (!line) {
        return std::nullopt;
    }
    Scanner scanner(std::move(*line));
    return scanner.Literal(keyword) ? scanner.Integer() : std::nullopt;
}

float PointValue(std::optional<std::string> line) {
    if (!line) {
        return 0.0f;
    }
    auto volts = static_cast<float>(Scanner(std::move(*line)).Number().value_or(0.0));
    return std::isfinite(volts) ? volts : 0.0f;
}

}  // namespace

std::string FormatArchive(const WaveformData& waveform) {
    std::string text = FormatCsv(waveform.sampleRate, waveform.points);
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char c : text) {
        if (c == '\r') {
            continue;
        }
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

WaveformError ParseArchive(std::string_view bytes, WaveformData& waveform) {
    UnitLines lines(bytes.substr(0, kMaxArchiveBytes));
    if (lines.First() != u'#') {
        return WaveformError::NotWaveform;
    }
    std::optional<double> clock = HeaderNumber(lines.Next(), "#CLOCK=");
    std::optional<long long> count = HeaderInteger(lines.Next(), "#SIZE=");
    if (!clock || !std::isfinite(static_cast<float>(*clock)) || !count) {
        return WaveformError::NotWaveform;
    }
    if (*count < 1) {
        return WaveformError::TooFewPoints;
    }
    if (*count > kMaxPoints) {
        return WaveformError::TooManyPoints;
    }
    WaveformData parsed;
    parsed.sampleRate = static_cast<float>(*clock);
    parsed.points.resize(static_cast<std::size_t>(*count));
    for (float& point : parsed.points) {
        point = PointValue(lines.Next());
    }
    waveform = std::move(parsed);
    return WaveformError::None;
}

FileResult WriteArchiveFile(const WaveformData& waveform, const std::filesystem::path& path) {
    if (std::error_code error = WriteFileAtomically(path, FormatArchive(waveform))) {
        return FileResult::Refused(CannotSaveText(kCsvFileError, error));
    }
    return FileResult::Success();
}

FileResult ReadArchiveFile(const std::filesystem::path& path, const LanguageTable& language,
                           WaveformData& waveform) {
    std::string bytes;
    if (std::error_code error = ReadFilePrefix(path, kMaxArchiveBytes, bytes)) {
        return FileResult::Refused(CannotReadText(language, path, error));
    }
    WaveformError refusal = ParseArchive(bytes, waveform);
    if (refusal != WaveformError::None) {
        return FileResult::Refused(WaveformErrorText(refusal, language));
    }
    return FileResult::Success();
}

}  // namespace korvane
