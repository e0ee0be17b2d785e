#include "platform/ini_file.h"

#include <cerrno>

#include "platform/replace_file.h"
#include "platform/text_decoding.h"

namespace korvane {

IniDocument IniFile::Load(int& errorCode) const {
    errorCode = 0;
    const auto bytes = ReadTextFileBytes(path_, errorCode);
    if (!bytes) {
        if (errorCode == ENOENT) {
            errorCode = 0;
        }
        return {};
    }
    return IniDocument::Parse(DecodeText(*bytes));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key) const {
    int errorCode = 0;
    return Load(errorCode).Find(section, key).value_or(kMissingValue);
}

int IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value,
                         bool overwrite) const {
    int errorCode = 0;
    IniDocument document = Load(errorCode);
    if (errorCode != 0) {
        return errorCode;
    }
    if (!overwrite && !document.Find(section, key)) {
        return 1;
    }
    if (!document.Set(section, key, value)) {
        return EINVAL;
    }
    return ReplaceFileContents(path_, document.Serialize());
}

int IniFile::ReadSection(std::string_view section, std::vector<std::string>& keys,
                         std::vector<std::string>& values) const {
    int errorCode = 0;
    return Load(errorCode).ReadSection(section, keys, values);
}

}  // namespace korvane
