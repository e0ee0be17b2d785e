#include "platform/ini_document.h"

#include <algorithm>
#include <utility>

namespace korvane {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// The section name of a "[name]" line; nullopt for any other line. A header whose "]" is missing
// still opens a section named by the rest of the line.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (!trimmed.starts_with('[')) {
        return std::nullopt;
    }
    const std::string_view inside = trimmed.substr(1);
    return Trim(inside.substr(0, inside.find(']')));
}

bool IsEntry(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    return !trimmed.empty() && !trimmed.starts_with(';') && !trimmed.starts_with('[');
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

Entry SplitEntry(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {{}, line};
    }
    return {Trim(line.substr(0, equals)), line.substr(equals + 1)};
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    bool lineEndKnown = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            document.lines_.emplace_back(text.substr(start));
            break;
        }
        document.lines_.emplace_back(text.substr(start, end - start));
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        if (!lineEndKnown) {
            document.lineEnd_ = crlf ? "\r\n" : std::string(1, text[end]);
            lineEndKnown = true;
        }
        start = end + (crlf ? 2 : 1);
    }
    return document;
}

std::string IniDocument::Serialize() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += lineEnd_;
    }
    return text;
}

std::optional<IniDocument::Range> IniDocument::FindSection(std::string_view section) const {
    const std::string_view wanted = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i]);
        if (!name || !EqualsIgnoringCase(*name, wanted)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end])) {
            ++end;
        }
        return Range{i + 1, end};
    }
    return std::nullopt;
}

int IniDocument::ReadSection(std::string_view section, std::vector<std::string>& keys,
                             std::vector<std::string>& values) const {
    keys.clear();
    values.clear();
    const auto range = FindSection(section);
    if (!range) {
        return 0;
    }
    for (std::size_t i = range->begin; i < range->end; ++i) {
        if (IsEntry(lines_[i])) {
            const Entry entry = SplitEntry(lines_[i]);
            keys.emplace_back(entry.key);
            values.emplace_back(entry.value);
        }
    }
    return static_cast<int>(keys.size());
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    const auto range = FindSection(section);
    if (!range) {
        return std::nullopt;
    }
    for (std::size_t i = range->begin; i < range->end; ++i) {
        if (!IsEntry(lines_[i])) {
            continue;
        }
        const Entry entry = SplitEntry(lines_[i]);
        if (EqualsIgnoringCase(entry.key, Trim(key))) {
            return std::string(entry.value);
        }
    }
    return std::nullopt;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view name = Trim(section);
    const std::string_view keyName = Trim(key);
    if (name.empty() || HasLineBreak(name) || name.find(']') != std::string_view::npos ||
        keyName.empty() || HasLineBreak(keyName) || keyName.find('=') != std::string_view::npos ||
        keyName.starts_with(';') || keyName.starts_with('[')) {
        return false;
    }
    std::string text(value);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');

    auto range = FindSection(name);
    if (!range) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) {
            lines_.emplace_back();
        }
        // Appended piece by piece: GCC 12 reports a false -Wrestrict overlap for "[" + string.
        std::string header = "[";
        header += name;
        header += ']';
        lines_.push_back(std::move(header));
        range = Range{lines_.size(), lines_.size()};
    }
    std::size_t insertAt = range->begin;
    for (std::size_t i = range->begin; i < range->end; ++i) {
        if (!IsEntry(lines_[i])) {
            continue;
        }
        if (EqualsIgnoringCase(SplitEntry(lines_[i]).key, keyName)) {
            const auto equals = lines_[i].find('=');
            lines_[i] = lines_[i].substr(0, equals + 1) + text;
            return true;
        }
        insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  std::string(keyName) + "=" + text);
    return true;
}

}  // namespace korvane
