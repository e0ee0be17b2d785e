#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace korvane {

class LanguageTable;

// Language keys of the messages the file functions show.
inline constexpr int kTextValueOver = 2003;         // too many points
inline constexpr int kTextPointsTooFew = 2006;      // no points
inline constexpr int kTextNotSettingsFile = 10051;  // a settings path without ".set"
inline constexpr int kTextCannotRead = 2068;        // a file that could not be read

// The language's text for key; `fallback` when the language has none, so no message box is empty.
std::string LanguageText(const LanguageTable& language, int key, const char* fallback);

// "Cann't Save file: %s" (CSV) and "Cann't save file: %s" (settings): the system's description
// of the failure, at most 1024 characters, in the given template.
std::string CannotSaveText(const char* format, std::error_code error);
// "Cannot read file %s: %s" in the language (its template checked): the file's path and the
// system's description of the failure, each at most 1024 characters.
std::string CannotReadText(const LanguageTable& language, const std::filesystem::path& path,
                           std::error_code error);
// The same with the reason in words (a file that is not what it should be).
std::string CannotReadText(const LanguageTable& language, const std::filesystem::path& path,
                           const std::string& reason);
inline constexpr const char* kCannotReadTemplate = "Cannot read file %s: %s";
inline constexpr const char* kCsvFileError = "Cann't Save file: %s";
inline constexpr const char* kSettingsFileError = "Cann't save file: %s";

}  // namespace korvane
