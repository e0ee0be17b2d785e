#include "shell/remembered_config.h"

#include <QtGlobal>

#include "platform/ini_file.h"
#include "shell/app_config.h"

namespace korvane {

namespace {

constexpr const char* kSection = "Remembered";

}  // namespace

QString RememberedConfig::Value(const QString& key) const {
    const IniFile config(paths_.ReadPath(QString::fromLatin1(kConfigFileName)).toStdString());
    const std::string value = config.ReadString(kSection, key.toStdString());
    return value == IniFile::kMissingValue ? QString() : QString::fromStdString(value);
}

void RememberedConfig::SetValue(const QString& key, const QString& value) {
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        return;  // one line per key: such a value could not be read back
    }
    const IniFile config(paths_.WritePath(QString::fromLatin1(kConfigFileName)).toStdString());
    if (const int error =
            config.WriteString(kSection, key.toStdString(), value.toStdString(), true);
        error != 0) {
        qWarning("config.ini: cannot remember %s (error %d)", qPrintable(key), error);
    }
}

}  // namespace korvane
