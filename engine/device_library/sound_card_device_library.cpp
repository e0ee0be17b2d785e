#include "engine/device_library/sound_card_device_library.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "engine/wave_type.h"

namespace korvane {
namespace {

// A period comes due every few milliseconds; a busy computer must not make the audio thread
// late. The nice level sound servers use for their own threads, where the user may raise it
// (CAP_SYS_NICE or RLIMIT_NICE); elsewhere the thread keeps the normal level.
void RaiseAudioThreadPriority() {
    constexpr int kAudioNiceLevel = -11;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kAudioNiceLevel);
}

constexpr auto kReopenInterval = std::chrono::milliseconds(250);
constexpr long double kPhaseSpan = 18446744073709551616.0L;  // 2^64: one period

// Periods per sample in 64 fractional bits; below half a period, so it fits a signed word.
std::uint64_t PhaseIncrement(double frequency, unsigned rate) {
    const long double cycles =
        std::clamp(static_cast<long double>(frequency) / rate, 0.0L, 0.4999999L);
    return static_cast<std::uint64_t>(std::llround(cycles * kPhaseSpan));
}

}  // namespace

SoundCardDeviceLibrary::SoundCardDeviceLibrary(std::unique_ptr<AudioOutput> output,
                                               std::string pcmName)
    : output_(std::move(output)), pcmName_(std::move(pcmName)), rate_(output_->Rate()) {
    // The audio thread opens the output, so the threads a sound server's client library starts
    // in it share its priority; the caller learns at once whether the output opened.
    audio_ = std::thread([this] {
        RaiseAudioThreadPriority();
        std::string error;
        const bool open = output_->Open(&error);
        rate_ = output_->Rate();
        present_ = open;
        {
            std::lock_guard lock(stateMutex_);
            openError_ = error;
            firstOpenDone_ = true;
        }
        wake_.notify_all();
        AudioLoop();
    });
    std::unique_lock lock(stateMutex_);
    wake_.wait(lock, [this] { return firstOpenDone_; });
}

SoundCardDeviceLibrary::~SoundCardDeviceLibrary() {
    {
        std::lock_guard lock(stateMutex_);
        stop_ = true;
    }
    stopping_ = true;
    wake_.notify_all();
    audio_.join();
    output_->Close();
}

std::string SoundCardDeviceLibrary::OpenError() const {
    std::lock_guard lock(stateMutex_);
    return openError_;
}

int SoundCardDeviceLibrary::DDSSearch() {
    return kOutputs;
}

int SoundCardDeviceLibrary::DDSCheck(int device) {
    return Valid(device) && present_ ? 1 : 0;
}

double SoundCardDeviceLibrary::MaxFrequency(int device) const {
    if (!Valid(device)) {
        return DeviceLibrary::MaxFrequency(device);
    }
    // Whole hertz just below half the rate: a wave there would fold onto itself.
    return std::ceil(Nyquist()) - 1.0;
}

DeviceIdentity SoundCardDeviceLibrary::Identify(int device) const {
    if (!Valid(device)) {
        return {};
    }
    return {DeviceIdentity::Kind::kSoundCardOutput,
            device == 0 ? DeviceIdentity::Side::kLeft : DeviceIdentity::Side::kRight, pcmName_};
}

void SoundCardDeviceLibrary::Publish(Channel& channel) {
    if (!channel.spectrum) {
        return;  // nothing downloaded yet: the output stays silent
    }
    auto voice = std::make_unique<Voice>();
    voice->table = channel.spectrum->BandLimited(channel.frequency, Rate());
    voice->increment = PhaseIncrement(channel.frequency, Rate());
    voice->flat = channel.spectrum->Flat();
    voice->singleWave = channel.singleWave;
    voice->arming = channel.arming;
    channel.playedIncrement = voice->increment;
    channel.flat = voice->flat;
    channel.mailbox.Post(std::move(voice));
}

int SoundCardDeviceLibrary::DDSSetFrequency(int device, double frequency, int* pointCount,
                                            int* periodCount) {
    if (!Valid(device)) {
        return 0;
    }
    Channel& channel = At(device);
    std::lock_guard lock(channel.mutex);
    if (std::isfinite(frequency) && frequency > 0.0) {
        channel.frequency = std::min(frequency, MaxFrequency(device));
    }
    channel.pointCount = kTablePoints;
    *pointCount = kTablePoints;
    *periodCount = 1;
    Publish(channel);
    return 1;
}

void SoundCardDeviceLibrary::Load(int device, std::span<const double> points) {
    Channel& channel = At(device);
    std::lock_guard lock(channel.mutex);
    channel.spectrum.emplace(points);
    if (channel.singleWave) {
        ++channel.arming;  // every new buffer arms the single wave again
    }
    Publish(channel);
}

int SoundCardDeviceLibrary::DDSDownload(int device, const std::uint16_t* codes, int count) {
    if (!Valid(device) || !codes || count < 1 || count > kMaxPoints) {
        return 0;
    }
    // Code 2048 is 0 V; the code falls as the voltage rises.
    std::vector<double> points(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = std::clamp((2048.0 - std::min<int>(codes[i], 4095)) / 2047.0, -1.0, 1.0);
    }
    Load(device, points);
    return 1;
}

bool SoundCardDeviceLibrary::DDSDownloadVolts(int device, const double* volts, int count) {
    if (!Valid(device) || !volts || count < 1 || count > kMaxPoints) {
        return false;
    }
    // Beyond full scale the output clips, as a DAC would.
    std::vector<double> points(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double v = volts[i] / kFullScaleVolts;
        points[i] = std::isfinite(v) ? std::clamp(v, -1.0, 1.0) : 0.0;
    }
    Load(device, points);
    return true;
}

int SoundCardDeviceLibrary::DDSSetDivNum(int device, int divider) {
    if (!Valid(device) || divider < 1) {
        return 0;
    }
    // The table holds one period of pointCount points, clocked at the master clock / divider.
    Channel& channel = At(device);
    std::lock_guard lock(channel.mutex);
    channel.frequency =
        std::min(kMasterClockHz / divider / channel.pointCount, MaxFrequency(device));
    Publish(channel);
    return 1;
}

int SoundCardDeviceLibrary::DDSSetSingleWave(int device, int singleWave) {
    if (!Valid(device)) {
        return 0;
    }
    Channel& channel = At(device);
    std::lock_guard lock(channel.mutex);
    channel.singleWave = singleWave != 0;
    if (channel.singleWave) {
        ++channel.arming;
    }
    Publish(channel);
    return 1;
}

// A sound card has no trigger input, no digital pins and no power-on memory: the calls are
// taken and change nothing; the inputs read 0.
int SoundCardDeviceLibrary::DDSSetTrigger(int device, int, int) {
    return Valid(device) ? 1 : 0;
}

int SoundCardDeviceLibrary::DDSSetDIOMode(int device, int) {
    return Valid(device) ? 1 : 0;
}

int SoundCardDeviceLibrary::DDSSetDigitalOut(int device, std::uint32_t) {
    return Valid(device) ? 1 : 0;
}

int SoundCardDeviceLibrary::DDSGetDigitalIn(int device, std::uint16_t* word) {
    if (!Valid(device)) {
        return 0;
    }
    *word = 0;
    return 1;
}

int SoundCardDeviceLibrary::DDSSetPowerOnOutput(int device, int) {
    return Valid(device) ? 1 : 0;
}

int SoundCardDeviceLibrary::DDSGetMeasure(int device, int kind, double* value) {
    if (!Valid(device)) {
        return 0;
    }
    Channel& channel = At(device);
    std::lock_guard lock(channel.mutex);
    if (kind == 0) {
        // The frequency the accumulator really steps at, or 0 while nothing moves.
        *value = channel.flat ? 0.0
                              : static_cast<double>(channel.playedIncrement *
                                                    static_cast<long double>(Rate()) / kPhaseSpan);
    } else {
        *value = static_cast<double>(channel.oscillator.Periods() - channel.counterStart);
    }
    return 1;
}

int SoundCardDeviceLibrary::DDSResetCounter(int device) {
    if (!Valid(device)) {
        return 0;
    }
    Channel& channel = At(device);
    std::lock_guard lock(channel.mutex);
    channel.counterStart = channel.oscillator.Periods();
    return 1;
}

bool SoundCardDeviceLibrary::SynchronizeOutputs(int device) {
    if (!Valid(device)) {
        return false;
    }
    synchronizeRequests_.fetch_add(1, std::memory_order_release);
    return true;
}

bool SoundCardDeviceLibrary::OpenOutput() {
    std::unique_lock lock(stateMutex_);
    while (!stop_) {
        std::string error;
        if (output_->Open(&error)) {
            openError_.clear();
            rate_ = output_->Rate();
            present_ = true;
            return true;
        }
        openError_ = error;
        wake_.wait_for(lock, kReopenInterval, [this] { return stop_; });
    }
    return false;
}

void SoundCardDeviceLibrary::AudioLoop() {
    std::vector<float> frames;
    std::uint32_t synchronized = synchronizeRequests_.load(std::memory_order_acquire);
    while (!stopping_) {
        if (!present_ && !OpenOutput()) {
            return;
        }
        const int count = output_->PeriodFrames();
        frames.resize(static_cast<std::size_t>(count) * 2);
        const std::uint32_t requests = synchronizeRequests_.load(std::memory_order_acquire);
        if (requests != synchronized) {
            synchronized = requests;
            for (Channel& channel : channels_) {
                channel.oscillator.Restart();  // both from the same sample
            }
        }
        for (int i = 0; i < kOutputs; ++i) {
            Channel& channel = channels_[static_cast<std::size_t>(i)];
            channel.oscillator.Render(channel.mailbox.Take(), frames.data() + i, kOutputs, count);
        }
        switch (output_->Write(frames.data(), count)) {
            case AudioOutput::WriteResult::Gone:
                output_->Close();
                present_ = false;
                continue;
            case AudioOutput::WriteResult::Underrun:
                underruns_.fetch_add(1);
                break;
            case AudioOutput::WriteResult::Written:
                break;
        }
        framesWritten_.fetch_add(static_cast<std::uint64_t>(count));
    }
}

}  // namespace korvane
