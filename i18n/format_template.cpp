#include "i18n/format_template.h"

#include <string_view>

namespace korvane {

namespace {

constexpr std::string_view kDigits = "0123456789";

// Past the characters of `text` from `i` on that belong to `set`.
std::size_t Skip(std::string_view text, std::size_t i, std::string_view set) {
    while (i < text.size() && set.find(text[i]) != std::string_view::npos) {
        ++i;
    }
    return i;
}

// The end of the conversion that starts with the '%' at `start`: flags, width, precision,
// length and conversion letter. npos when none does.
std::size_t ConversionEnd(std::string_view text, std::size_t start) {
    std::size_t i = Skip(text, Skip(text, start + 1, "-+ #0"), kDigits);
    if (i < text.size() && text[i] == '.') {
        const std::size_t digits = Skip(text, i + 1, kDigits);
        if (digits == i + 1) {
            return std::string_view::npos;
        }
        i = digits;
    }
    for (const std::string_view length : {"hh", "ll", "h", "l", "L"}) {
        if (text.substr(i).starts_with(length)) {
            i += length.size();
            break;
        }
    }
    if (i < text.size() &&
        std::string_view("diouxXeEfFgGcsp%").find(text[i]) != std::string_view::npos) {
        return i + 1;
    }
    return std::string_view::npos;
}

}  // namespace

std::vector<std::string> FormatSpecifiers(const std::string& text) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            continue;
        }
        const std::size_t end = ConversionEnd(text, i);
        if (end == std::string_view::npos) {
            found.emplace_back("%");
            continue;
        }
        found.push_back(text.substr(i, end - i));
        i = end - 1;
    }
    return found;
}

std::string CheckedTemplate(const std::string& candidate, const std::string& fallback) {
    return !candidate.empty() && FormatSpecifiers(candidate) == FormatSpecifiers(fallback)
               ? candidate
               : fallback;
}

std::string FillStringTemplate(const std::string& candidate, const std::string& fallback,
                               const std::string& value) {
    std::string text = CheckedTemplate(candidate, fallback);
    // Checked, the template has the fallback's one conversion, this "%s", and no other '%'.
    const std::size_t at = text.find("%s");
    return at == std::string::npos ? text : text.replace(at, 2, value);
}

}  // namespace korvane
