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
    return FillStringTemplate(language.GetText(left ? kLeftOutputKey : kRightOutputKey),
                              left ? "Sound card left output (%s)" : "Sound card right output (%s)",
                              identity.pcm);
}

}  // namespace korvane
