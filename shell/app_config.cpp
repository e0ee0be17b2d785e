#include "shell/app_config.h"

#include <QString>
#include <QtGlobal>

#include "formats/default_panel.h"
#include "i18n/language_config.h"
#include "i18n/language_table.h"
#include "platform/ini_file.h"
#include "platform/replace_file.h"
#include "shell/remote_service.h"
#include "shell/runtime_paths.h"

namespace korvane {

void RemoveStaleConfigTemporaries(const RuntimePaths& paths) {
    for (const char* name : {kConfigFileName, kDefaultSettingsFileName}) {
        RemoveStaleTemporaries(paths.WritePath(QString::fromLatin1(name)).toStdString());
    }
    RemoveStaleTemporaries(PanelPointsPath(
        paths.WritePath(QString::fromLatin1(kDefaultSettingsFileName)).toStdString()));
}

void LoadAppConfig(const RuntimePaths& paths, LanguageTable& language, RemoteService& remote) {
    const IniFile config(paths.ReadPath(QString::fromLatin1(kConfigFileName)).toStdString());
    language.SetCurrentLanguage(ReadLanguageIndex(config));
    if (const QString error = remote.Configure(config); !error.isEmpty()) {
        qWarning("remote control: %s", qPrintable(error));
    }
}

void SaveAppConfig(const RuntimePaths& paths, const LanguageTable& language) {
    const IniFile config(paths.WritePath(QString::fromLatin1(kConfigFileName)).toStdString());
    WriteLanguageIndex(config, language.GetCurrentLanguage());
}

}  // namespace korvane
