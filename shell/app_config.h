#pragma once

namespace korvane {

class LanguageTable;
class RemoteService;
class RuntimePaths;

// The program's settings file (the language, the remote control) and its default channel
// settings, both found through the run-time paths.
inline constexpr char kConfigFileName[] = "config.ini";
inline constexpr char kDefaultSettingsFileName[] = "Default.set";

// A write cut short by a kill leaves its temporary file beside the target for ever; this removes
// those of both files.
void RemoveStaleConfigTemporaries(const RuntimePaths& paths);

// Reads the language and the remote-control settings from config.ini.
void LoadAppConfig(const RuntimePaths& paths, LanguageTable& language, RemoteService& remote);

// Writes the current language to config.ini.
void SaveAppConfig(const RuntimePaths& paths, const LanguageTable& language);

}  // namespace korvane
