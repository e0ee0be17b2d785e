#include "i18n/language_table.h"

#include <algorithm>
#include <cstdio>

#include "i18n/builtin_language.h"
#include "i18n/leading_integer.h"
#include "i18n/menu_keys.h"
#include "platform/ini_document.h"
#include "platform/ini_file.h"
#include "platform/private_file.h"
#include "platform/text_decoding.h"

namespace korvane {
namespace {

constexpr const char* kSection = "App";
constexpr const char* kLanguageNameKey = "8888";
constexpr const char* kBuiltInName = "English";
constexpr const char* kBuiltInFileName = "default.lug";
constexpr const char* kPrivateFolderName = "korvaneawg";
// The Language submenu lists "Default" and a separator before the files, whose items then sit at
// positions 2, 3, ... of the submenu at Utility > Language.
constexpr int kFirstLanguageItemPosition = 2;

// The file name of a relative path without its folder and extension.
std::string NameWithoutExtension(const std::string& relative) {
    const auto slash = relative.find_last_of('/');
    const std::string name = slash == std::string::npos ? relative : relative.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    // A name that is all extension (".lug") keeps it rather than becoming blank.
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

LanguageTable::LanguageTable() {
    LoadLanguage(kBuiltInLanguage);
}

void LanguageTable::ScanLanguageFiles(const std::filesystem::path& programDir,
                                      const std::filesystem::path& tempDir) {
    WriteBuiltInLanguage(tempDir);
    languageFolder_ = programDir / "language";
    fileSearch_ = FileSearch{};
    scanCompleted_ = fileSearch_.Search(languageFolder_, "*.lug") == 1;
}

bool LanguageTable::WriteBuiltInLanguage(const std::filesystem::path& tempDir) {
    builtInPath_ =
        WritePrivateFile(tempDir, kPrivateFolderName, kBuiltInFileName, BuiltInLanguageBytes());
    return !builtInPath_.empty();
}

int LanguageTable::ClampToFiles(int index) const {
    return std::min(std::max(index, kBuiltInLanguage), GetLanguageCount() - 1);
}

int LanguageTable::SelectLanguage(int index) {
    current_ = ClampToFiles(index);
    return LoadLanguage(current_);
}

int LanguageTable::LoadLanguage(int index) {
    const int file = ClampToFiles(index);
    if (file == kBuiltInLanguage) {
        // Read from the program itself, so English is there even when the temporary folder is not.
        IniDocument::Parse(DecodeText(BuiltInLanguageBytes()))
            .ReadSection(kSection, keys_, values_);
    } else {
        IniFile(GetLanguagePath(file)).ReadSection(kSection, keys_, values_);
    }
    for (int i = 0; i < GetLanguageCount(); ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "80504%02d", i + kFirstLanguageItemPosition);
        keys_.emplace_back(key);
        values_.push_back(GetLanguageName(i));
    }
    return 1;
}

int LanguageTable::GetLanguageCount() const {
    return static_cast<int>(fileSearch_.Results().size());
}

std::string LanguageTable::GetLanguageName(int index) const {
    if (index < 0) {
        return kBuiltInName;
    }
    if (GetLanguageCount() == 0) {
        return {};
    }
    const std::string name = IniFile(GetLanguagePath(index)).ReadString(kSection, kLanguageNameKey);
    return name.empty() ? NameWithoutExtension(GetLanguageFileName(index)) : name;
}

std::filesystem::path LanguageTable::GetLanguagePath(int index) const {
    const int file = ClampToFiles(index);
    if (index < 0 || file < 0) {
        return {};
    }
    return languageFolder_ / fileSearch_.Results()[static_cast<std::size_t>(file)];
}

std::string LanguageTable::GetLanguageFileName(int index) const {
    if (index < 0) {
        return kBuiltInName;
    }
    const int file = ClampToFiles(index);
    return file < 0 ? std::string() : fileSearch_.Results()[static_cast<std::size_t>(file)];
}

const std::string* LanguageTable::FindExact(int id) const {
    const std::string key = std::to_string(id);
    const auto it = std::find(keys_.begin(), keys_.end(), key);
    return it == keys_.end() ? nullptr : &values_[static_cast<std::size_t>(it - keys_.begin())];
}

std::string LanguageTable::GetText(int id) const {
    const std::string* text = FindExact(id);
    return text ? *text : std::string();
}

bool LanguageTable::TranslateControl(const TextSetter& setText, int id) const {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (LeadingInteger(keys_[i]) == id) {
            if (setText) {
                setText(values_[i]);
            }
            return true;
        }
    }
    return false;
}

int LanguageTable::TranslateDialog(TranslatableDialog& dialog) const {
    for (const TranslatableControl& child : dialog.TranslatableChildren()) {
        TranslateControl(child.setText, child.id);
    }
    return 1;
}

void LanguageTable::TranslateMenu(TranslatableMenu& menuBar) const {
    std::vector<int> positions;
    TranslateMenuLevel(menuBar, menuBar, positions);
}

void LanguageTable::TranslateMenuLevel(TranslatableMenu& menuBar, TranslatableMenu& menu,
                                       std::vector<int>& positions) const {
    for (int position = 0; position < menu.ItemCount(); ++position) {
        positions.push_back(position);
        const auto key = MenuItemKey(positions);
        if (key && !menu.IsSeparator(position)) {
            if (const std::string* text = FindExact(*key)) {
                SetMenuItemText(menuBar, *key, *text);
            }
        }
        TranslatableMenu* submenu = menu.Submenu(position);
        if (submenu && positions.size() < kMaxMenuDepth) {
            TranslateMenuLevel(menuBar, *submenu, positions);
        }
        positions.pop_back();
    }
}

bool SetMenuItemText(TranslatableMenu& menuBar, int key, const std::string& text) {
    const std::vector<int> positions = MenuItemPositions(key);
    TranslatableMenu* menu = &menuBar;
    for (std::size_t level = 0; menu && level < positions.size(); ++level) {
        const int position = positions[level];
        if (position < 0 || position >= menu->ItemCount()) {
            return false;
        }
        if (level + 1 == positions.size()) {
            menu->SetItemText(position, text);
            return true;
        }
        menu = menu->Submenu(position);
    }
    return false;
}

}  // namespace korvane
