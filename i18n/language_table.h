#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "i18n/file_search.h"
#include "i18n/translatable.h"

namespace korvane {

// The texts of the user interface in the current language, looked up by numeric key: dialog
// captions by dialog id, control texts by control id, menu items by their position key, messages
// by fixed numbers. A default-constructed table holds the built-in English language and has not
// touched the disk. Texts are UTF-8.
class LanguageTable {
  public:
    static constexpr int kBuiltInLanguage = -1;

    LanguageTable();

    // Writes the built-in file into tempDir, then lists the language files found below
    // programDir/language. Call once at start; files added later are not seen.
    void ScanLanguageFiles(const std::filesystem::path& programDir,
                           const std::filesystem::path& tempDir);
    // Writes the built-in language as default.lug in a folder of tempDir that only the current
    // user can reach. Returns false (and leaves BuiltInPath() empty) when that is impossible.
    bool WriteBuiltInLanguage(const std::filesystem::path& tempDir);
    const std::filesystem::path& BuiltInPath() const { return builtInPath_; }
    // False when the scan stopped early because one folder level held too many subfolders.
    bool ScanCompleted() const { return scanCompleted_; }

    // Clamps index to -1 .. count - 1, makes it current and loads it. Returns LoadLanguage's
    // result.
    int SelectLanguage(int index);
    // Loads the texts of language index (-1: built-in, clamped like SelectLanguage) without
    // changing the current index, then appends one pair per found language naming the items of
    // the Language submenu ("8050402" for the first file, ...). Returns 1.
    int LoadLanguage(int index);
    int GetCurrentLanguage() const { return current_; }
    // Sets the index remembered from the last run; SelectLanguage(GetCurrentLanguage()) clamps it.
    void SetCurrentLanguage(int index) { current_ = index; }

    int GetLanguageCount() const;
    // For the language files an index beyond the list means the last file; a negative index
    // means the built-in language. Name: "English" for the built-in language, "" without files,
    // else the file's key 8888 ("-1" when it has none, the file name without extension when it is
    // empty). Path: empty for the built-in language or without files. File name: "English" for
    // the built-in language, "" without files, else the name relative to the language folder.
    std::string GetLanguageName(int index) const;
    std::filesystem::path GetLanguagePath(int index) const;
    std::string GetLanguageFileName(int index) const;

    // The text of the first key written exactly as the decimal id; empty when there is none.
    std::string GetText(int id) const;
    std::string GetLangString(int key) const { return GetText(key); }

    // Retitles a control with the first key whose leading number equals id. Returns whether one
    // was found; without one the control keeps its text.
    bool TranslateControl(const TextSetter& setText, int id) const;
    // TranslateControl for every direct child of the dialog, in child order. Returns 1.
    int TranslateDialog(TranslatableDialog& dialog) const;
    // Retitles the items of a menu bar and up to three levels of menus below it by position key.
    void TranslateMenu(TranslatableMenu& menuBar) const;

    const std::vector<std::string>& Keys() const { return keys_; }
    const std::vector<std::string>& Values() const { return values_; }

  private:
    // Index -1 for the built-in language, the last file for one beyond the list.
    int ClampToFiles(int index) const;
    // The value of the first key written exactly as the decimal id, or nullptr.
    const std::string* FindExact(int id) const;
    void TranslateMenuLevel(TranslatableMenu& menuBar, TranslatableMenu& menu,
                            std::vector<int>& positions) const;

    int current_ = kBuiltInLanguage;
    std::vector<std::string> keys_;
    std::vector<std::string> values_;
    FileSearch fileSearch_;
    std::filesystem::path languageFolder_;
    std::filesystem::path builtInPath_;
    bool scanCompleted_ = true;
};

// Retitles the item that a menu position key names (see menu_keys.h), walking from the menu bar.
// Returns false when the live menu has no item at that place.
bool SetMenuItemText(TranslatableMenu& menuBar, int key, const std::string& text);

}  // namespace korvane
