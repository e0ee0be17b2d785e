#include "formats/message_texts.h"

#include <string_view>

#include "i18n/format_template.h"
#include "i18n/language_table.h"

namespace korvane {

std::string LanguageText(const LanguageTable& language, int key, const char* fallback) {
    std::string text = language.GetLangString(key);
    return text.empty() ? std::string(fallback) : text;
}

namespace {

constexpr std::size_t kMaxInsertion = 1024;

// The template with each "%s" replaced by the next value, in order.
std::string FillTemplate(std::string_view pattern, std::initializer_list<std::string> values) {
    std::string text;
    auto value = values.begin();
    for (std::size_t marker = pattern.find("%s");
         marker != std::string_view::npos && value != values.end();
         marker = pattern.find("%s"), ++value) {
        text += pattern.substr(0, marker);
        text += value->substr(0, kMaxInsertion);
        pattern.remove_prefix(marker + 2);
    }
    text += pattern;
    return text;
}

}  // namespace

std::string CannotSaveText(const char* format, std::error_code error) {
    return FillTemplate(format, {error.message()});
}

std::string CannotReadText(const LanguageTable& language, const std::filesystem::path& path,
                           std::error_code error) {
    return CannotReadText(language, path, error.message());
}

std::string CannotReadText(const LanguageTable& language, const std::filesystem::path& path,
                           const std::string& reason) {
    const std::string pattern =
        CheckedTemplate(language.GetLangString(kTextCannotRead), kCannotReadTemplate);
    return FillTemplate(pattern, {path.string(), reason});
}

}  // namespace korvane
