#include "formats/settings_file.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "formats/little_endian.h"
#include "formats/message_texts.h"
#include "platform/atomic_file.h"

namespace korvane {
namespace {

constexpr std::u16string_view kMagic = u"QVX-DSO";
constexpr std::size_t kMagicBytes = 14;

// Calls visit(name, field) for every field of the record in file order, with the name of the
// channel field it holds; encoding, decoding, the finiteness test and the field names share this
// one list.
template <typename Record, typename Visitor>
void VisitFields(Record& r, Visitor visit) {
    visit("frequency", r.frequency);
    visit("amplitude", r.amplitude);
    visit("offset", r.offset);
    visit("phase", r.phase);
    visit("outputOn", r.outputOn);
    visit("measureOn", r.measureOn);
    visit("outputOn", r.outputOnAgain);
    visit("attenuate20dB", r.attenuate20dB);
    visit("waveType", r.waveType);
    visit("extTrigger", r.extTrigger);
    visit("triggerEdge", r.triggerEdge);
    visit("powerOnOutput", r.powerOnOutput);
    visit("squareDuty", r.squareDuty);
    visit("rampDuty", r.rampDuty);
    visit("exponentRaise", r.exponentRaise);
    visit("exponentTimeConstant", r.exponentTimeConstant);
    visit("trapeziaRise", r.trapeziaRise);
    visit("trapeziaHigh", r.trapeziaHigh);
    visit("trapeziaFall", r.trapeziaFall);
    visit("amDepth", r.amDepth);
    visit("carrierFrequency", r.carrierFrequency);
    visit("fmDeviation", r.fmDeviation);
    visit("fmMode", r.fmMode);
}

float LimitedFloat(float value, Range range) {
    return static_cast<float>(Limit(value, range));
}

std::int32_t AsFlag(std::int32_t value) {
    return value != 0 ? 1 : 0;
}

}  // namespace

const std::vector<std::string>& SettingsFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        const SettingsRecord record;
        VisitFields(record, [&list](const char* name, const auto&) {
            if (std::find(list.begin(), list.end(), name) == list.end()) {
                list.emplace_back(name);
            }
        });
        return list;
    }();
    return names;
}

SettingsRecord CaptureSettings(const ChannelState& channel) {
    SettingsRecord r;
    r.frequency = channel.frequency;
    r.amplitude = channel.amplitude;
    r.offset = channel.offset;
    r.phase = channel.phase;
    r.outputOn = channel.outputOn;
    r.measureOn = channel.measureOn;
    r.outputOnAgain = channel.outputOn;
    r.attenuate20dB = channel.attenuate20dB;
    r.waveType = channel.waveType;
    r.extTrigger = channel.extTrigger;
    r.triggerEdge = channel.triggerEdge;
    r.powerOnOutput = channel.powerOnOutput;
    r.squareDuty = channel.squareDuty;
    r.rampDuty = channel.rampDuty;
    r.exponentRaise = channel.exponentRaise;
    r.exponentTimeConstant = channel.exponentTimeConstant;
    r.trapeziaRise = channel.trapeziaRise;
    r.trapeziaHigh = channel.trapeziaHigh;
    r.trapeziaFall = channel.trapeziaFall;
    r.amDepth = channel.amDepth;
    r.carrierFrequency = channel.carrierFrequency;
    r.fmDeviation = channel.fmDeviation;
    r.fmMode = channel.fmMode;
    return r;
}

SettingsBytes EncodeSettings(const SettingsRecord& record) {
    SettingsBytes bytes{};
    std::uint8_t* out = bytes.data();
    for (char16_t unit : kMagic) {
        PutLittleEndian(out, unit);
        out += sizeof unit;
    }
    VisitFields(record, [&out](const char*, const auto& field) {
        PutLittleEndian(out, field);
        out += sizeof field;
    });
    return bytes;
}

std::optional<SettingsRecord> DecodeSettings(std::string_view bytes) {
    if (bytes.size() < kSettingsFileSize) {
        return std::nullopt;
    }
    const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t i = 0; i < kMagic.size(); ++i) {
        if (GetLittleEndian<char16_t>(in + 2 * i) != kMagic[i]) {
            return std::nullopt;
        }
    }
    in += kMagicBytes;
    SettingsRecord record;
    VisitFields(record, [&in](const char*, auto& field) {
        field = GetLittleEndian<std::remove_reference_t<decltype(field)>>(in);
        in += sizeof field;
    });
    return record;
}

bool IsFinite(const SettingsRecord& record) {
    bool finite = true;
    VisitFields(record, [&finite](const char*, const auto& field) {
        if constexpr (std::is_floating_point_v<std::remove_cvref_t<decltype(field)>>) {
            finite = finite && std::isfinite(field);
        }
    });
    return finite;
}

SettingsRecord LimitToPanel(SettingsRecord r) {
    r.waveType = std::clamp(r.waveType, 0, kWaveTypeCount - 1);
    r.frequency = Limit(r.frequency, FrequencyRange(r.waveType));
    r.amplitude = LimitedFloat(r.amplitude, kAmplitudeRange);
    r.offset = Limit(r.offset, kOffsetRange);
    for (float* fraction : {&r.phase, &r.squareDuty, &r.rampDuty, &r.amDepth}) {
        *fraction = LimitedFloat(*fraction, kFractionRange);
    }
    const TrapeziaParts parts = LimitTrapezia({r.trapeziaRise, r.trapeziaHigh, r.trapeziaFall});
    r.trapeziaRise = parts.rise;
    r.trapeziaHigh = parts.high;
    r.trapeziaFall = parts.fall;
    r.exponentTimeConstant = LimitedFloat(r.exponentTimeConstant, kTimeConstantRange);
    r.carrierFrequency = LimitWhole(r.carrierFrequency, static_cast<int>(kCarrierRange.low),
                                    static_cast<int>(kCarrierRange.high));
    r.fmDeviation = LimitWhole(r.fmDeviation, static_cast<int>(kDeviationRange.low),
                               static_cast<int>(kDeviationRange.high));
    for (std::int32_t* flag : {&r.outputOn, &r.measureOn, &r.outputOnAgain, &r.attenuate20dB,
                               &r.extTrigger, &r.exponentRaise, &r.fmMode}) {
        *flag = AsFlag(*flag);
    }
    return r;
}

void ApplySettings(ChannelState& channel, const SettingsRecord& r) {
    // The frequency is limited by the wave type it was saved with, which is set (and its download
    // queued) in file order below.
    channel.waveType = r.waveType;
    channel.SetFrequency(r.frequency);
    channel.amplitude = r.amplitude;
    channel.SetOffset(r.offset);
    channel.phase = r.phase;
    channel.RequestDownload();
    channel.SetOutputOn(r.outputOn);
    channel.SetMeasureOn(r.measureOn);
    channel.SetOutputOn(r.outputOnAgain);
    channel.SetAttenuate20dB(r.attenuate20dB);
    channel.SetWaveType(r.waveType);
    channel.SetExtTrigger(r.extTrigger);
    channel.SetTriggerEdge(r.triggerEdge);
    channel.SetPowerOnOutput(0, r.powerOnOutput);
    channel.squareDuty = r.squareDuty;
    channel.rampDuty = r.rampDuty;
    channel.exponentRaise = r.exponentRaise;
    channel.exponentTimeConstant = r.exponentTimeConstant;
    channel.trapeziaRise = r.trapeziaRise;
    channel.trapeziaHigh = r.trapeziaHigh;
    channel.trapeziaFall = r.trapeziaFall;
    channel.amDepth = r.amDepth;
    channel.carrierFrequency = r.carrierFrequency;
    channel.fmDeviation = r.fmDeviation;
    channel.fmMode = r.fmMode;
}

bool HasSettingsExtension(const std::filesystem::path& path) {
    const std::string& text = path.native();
    constexpr std::string_view kExtension = ".set";
    if (text.size() < kExtension.size()) {
        return false;
    }
    return std::equal(
        kExtension.begin(), kExtension.end(), text.end() - kExtension.size(),
        [](char wanted, char c) { return wanted == ((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c); });
}

FileResult SaveSettings(const ChannelState& channel, const std::filesystem::path& path) {
    SettingsBytes bytes = EncodeSettings(CaptureSettings(channel));
    std::error_code error = WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (error) {
        return FileResult::Refused(CannotSaveText(kSettingsFileError, error));
    }
    return FileResult::Success();
}

FileResult LoadSettings(ChannelState& channel, const std::filesystem::path& path,
                        const LanguageTable& language) {
    if (!HasSettingsExtension(path)) {
        return FileResult::Refused(LanguageText(language, kTextNotSettingsFile,
                                                "Settings files have the extension \".set\"."));
    }
    const std::string name = path.string();
    std::string bytes;
    if (const std::error_code error = ReadFilePrefix(path, kSettingsFileSize, bytes)) {
        return FileResult::Silent("cannot read " + name + ": " + error.message());
    }
    if (bytes.size() < kSettingsFileSize) {
        return FileResult::Silent(name + " is shorter than a settings file (" +
                                  std::to_string(bytes.size()) + " of " +
                                  std::to_string(kSettingsFileSize) + " bytes)");
    }
    std::optional<SettingsRecord> record = DecodeSettings(bytes);
    if (!record) {
        return FileResult::Silent(name +
                                  " is not a settings file (it does not begin with QVX-DSO)");
    }
    if (!IsFinite(*record)) {
        return FileResult::Silent(name + " is damaged: it holds a number that is not finite");
    }
    ApplySettings(channel, LimitToPanel(*record));
    return FileResult::Success();
}

}  // namespace korvane
