#include "i18n/language_config.h"

#include <string>

#include "i18n/leading_integer.h"

namespace korvane {
namespace {

constexpr const char* kSection = "Form";
constexpr const char* kKey = "Language";

}  // namespace

int ReadLanguageIndex(const IniFile& config) {
    return LeadingInteger(config.ReadString(kSection, kKey)).value_or(0);
}

int WriteLanguageIndex(const IniFile& config, int index) {
    return config.WriteString(kSection, kKey, std::to_string(index), true);
}

}  // namespace korvane
