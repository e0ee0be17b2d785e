#include "i18n/device_description.h"

#include "i18n/format_template.h"
#include "i18n/language_table.h"

namespace korvane {

namespace {

constexpr int kLeftOutputKey = 2128;
constexpr int kRightOutputKey = 2129;

}  // namespace

std::string DeviceDescription(const DeviceIdentity& identity, const LanguageTable& language) {
    if (identity.kind != DeviceIdentity::Kind::kSoundCardOutput) {
        return {};
    }
    const bool left = identity.side == DeviceIdentity::Side::kLeft;
    std::string text =
        CheckedTemplate(language.GetText(left ? kLeftOutputKey : kRightOutputKey),
                        left ? "Sound card left output (%s)" : "Sound card right output (%s)");
    // The checked template has exactly one conversion, this "%s", and no other '%'.
    text.replace(text.find("%s"), 2, identity.pcm);
    return text;
}

}  // namespace korvane
