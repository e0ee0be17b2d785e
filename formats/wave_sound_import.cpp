#include "formats/wave_sound_import.h"

#include <sndfile.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "formats/wave_text_import.h"

namespace korvane {
namespace {

constexpr sf_count_t kChunkFrames = 4096;

struct SoundCloser {
    void operator()(SNDFILE* sound) const { sf_close(sound); }
};
using SoundHandle = std::unique_ptr<SNDFILE, SoundCloser>;

// Only a regular file is handed to libsndfile: opening a pipe would block.
SoundHandle OpenSound(const std::filesystem::path& path, SF_INFO& info) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        return nullptr;
    }
    info = {};
    return SoundHandle(sf_open(path.c_str(), SFM_READ, &info));
}

std::string FormatName(int format) {
    SF_FORMAT_INFO major{format & SF_FORMAT_TYPEMASK, nullptr, nullptr};
    SF_FORMAT_INFO sub{format & SF_FORMAT_SUBMASK, nullptr, nullptr};
    sf_command(nullptr, SFC_GET_FORMAT_INFO, &major, sizeof major);
    sf_command(nullptr, SFC_GET_FORMAT_INFO, &sub, sizeof sub);
    std::string name = major.name ? major.name : "sound";
    return sub.name ? name + ", " + sub.name : name;
}

// Averages blocks of `size` frames into one kept value each.
class BlockAverage {
  public:
    BlockAverage(int size, double scale, std::vector<double>& values)
        : size_(size), scale_(scale), values_(values) {}

    void Add(double sample) {
        sum_ += sample;
        if (++count_ == size_) {
            Flush();
        }
    }
    void Flush() {
        if (count_ > 0) {
            values_.push_back(sum_ / count_ * scale_);
        }
        sum_ = 0.0;
        count_ = 0;
    }

  private:
    int size_;
    double scale_;
    std::vector<double>& values_;
    double sum_ = 0.0;
    int count_ = 0;
};

}  // namespace

bool IsSoundFile(const std::filesystem::path& path) {
    SF_INFO info;
    return OpenSound(path, info) != nullptr;
}

bool ReadSoundFile(const std::filesystem::path& path, const ImportOptions& options,
                   ImportedWave& wave, ImportError& error) {
    const std::string file = path.string();
    std::error_code missing;
    std::filesystem::file_status status = std::filesystem::status(path, missing);
    if (missing || !std::filesystem::is_regular_file(status)) {
        error = {file, 0,
                 "cannot read the file: " +
                     (missing ? missing.message() : std::string("not a regular file"))};
        return false;
    }
    SF_INFO info;
    SoundHandle sound = OpenSound(path, info);
    if (!sound) {
        error = {file, 0, std::string("cannot read the sound: ") + sf_strerror(nullptr)};
        return false;
    }
    const int channel = options.column > 0 ? options.column : 1;
    if (channel > info.channels) {
        error = {file, 0,
                 "channel " + std::to_string(channel) + " requested, but the file has " +
                     std::to_string(info.channels) +
                     (info.channels == 1 ? " channel" : " channels")};
        return false;
    }
    if (info.frames <= 0) {
        error = {file, 0, "expected sound samples, found none"};
        return false;
    }
    // A damaged header may claim any frame count: the block size stays an int and the memory
    // set aside stays within the kept values; reading stops where the data does.
    const auto averagedBy = static_cast<int>(
        std::min<sf_count_t>((info.frames + kMaxSoundValues - 1) / kMaxSoundValues, INT_MAX));
    ImportedWave read;
    read.values.reserve(static_cast<std::size_t>(
        std::min<sf_count_t>(info.frames / averagedBy + 1, kMaxSoundValues + 1)));
    BlockAverage average(averagedBy, options.fullScaleVolts, read.values);
    std::vector<float> chunk(static_cast<std::size_t>(kChunkFrames * info.channels));
    sf_count_t frame = 0;
    for (sf_count_t got; (got = sf_readf_float(sound.get(), chunk.data(), kChunkFrames)) > 0;) {
        for (sf_count_t k = 0; k < got; ++k, ++frame) {
            float sample = chunk[static_cast<std::size_t>(k * info.channels + channel - 1)];
            if (!std::isfinite(sample)) {
                error = {file, 0,
                         "expected a finite sample at frame " + std::to_string(frame) +
                             " of channel " + std::to_string(channel) + ", found " +
                             (std::isnan(sample) ? "NaN" : "an infinity")};
                return false;
            }
            average.Add(sample);
        }
    }
    average.Flush();
    if (sf_error(sound.get()) != SF_ERR_NO_ERROR || read.values.empty()) {
        error = {file, 0, std::string("cannot read the sound: ") + sf_strerror(sound.get())};
        return false;
    }
    ImportDetection& found = read.detection;
    found.columns = info.channels;
    found.valueColumn = channel;
    found.pointCount = frame;
    found.averagedBy = averagedBy;
    found.format = FormatName(info.format);
    read.sampleRate = static_cast<double>(info.samplerate) / averagedBy;
    wave = std::move(read);
    return true;
}

bool HasSoundExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    for (const char* sound : {".wav", ".wave", ".aif", ".aiff", ".aifc", ".flac", ".ogg", ".oga",
                              ".opus", ".au", ".snd", ".caf", ".w64", ".rf64", ".mp3"}) {
        if (extension == sound) {
            return true;
        }
    }
    return false;
}

bool ImportWaveFile(const std::filesystem::path& path, const ImportOptions& options,
                    ImportedWave& wave, ImportError& error) {
    // A damaged sound is reported as libsndfile sees it, not as text without numbers.
    return IsSoundFile(path) || (HasSoundExtension(path) && std::filesystem::exists(path))
               ? ReadSoundFile(path, options, wave, error)
               : ReadWaveTextFile(path, options, wave, error);
}

}  // namespace korvane
