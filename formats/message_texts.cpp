#include "formats/message_texts.h"

#include <string_view>

#include "i18n/language_table.h"

namespace korvane {

std::string LanguageText(const LanguageTable& language, int key, const char* fallback) {
    std::string text = language.GetLangString(key);
    return text.empty() ? std::string(fallback) : text;
}

std::string CannotSaveText(const char* format, std::error_code error) {
    constexpr std::size_t kMaxDescription = 1024;
    std::string description = error.message().substr(0, kMaxDescription);
    std::string_view pattern(format);
    std::size_t marker = pattern.find("%s");
    std::string text(pattern.substr(0, marker));
    text += description;
    text += pattern.substr(marker + 2);
    return text;
}

}  // namespace korvane
