#include "shell/status_text.h"

#include <cstdio>

#include "engine/channel_state.h"
#include "engine/device_library/device_library.h"
#include "i18n/device_description.h"
#include "i18n/language_table.h"

namespace korvane {

namespace {
enum TextKey : int {
    kDemo = 2007,
    kNoItem = 2008,
    kConnect = 2009,
    kSearching = 2010,
    kSerialNumber = 2030,
};
}  // namespace

std::string DescribeDevice(const DeviceLibrary* library, int device,
                           const LanguageTable& language) {
    return library != nullptr ? DeviceDescription(library->Identify(device), language)
                              : std::string();
}

std::string DescribeDevice(const ChannelState* channel, const LanguageTable& language) {
    if (channel == nullptr || channel->demo != 0) {
        return {};
    }
    return DescribeDevice(&channel->Library(), channel->deviceIndex.load(), language);
}

ConnectionStatus DescribeConnection(const ChannelState* channel, bool searching, int dots,
                                    const LanguageTable& language) {
    const std::string searchingText =
        language.GetLangString(kSearching) + std::string(static_cast<std::size_t>(dots), '.');
    if (channel == nullptr) {
        return {searching ? searchingText : language.GetLangString(kNoItem), {}};
    }
    if (channel->demo != 0) {
        return {language.GetLangString(kDemo), {}};
    }
    const std::string serialLabel = language.GetLangString(kSerialNumber);
    if (channel->reconnectPending != 0) {
        return {searchingText, serialLabel + " : ..."};
    }
    const std::string device = DescribeDevice(channel, language);
    if (!device.empty()) {
        return {language.GetLangString(kConnect), device};
    }
    const int serial = (channel->digitalIn.load() >> 6) & 0x3;
    return {language.GetLangString(kConnect), serialLabel + " : " + std::to_string(serial)};
}

std::string DateTimeText(const std::tm& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%4d  %02d:%02d    ", time.tm_mday, time.tm_mon + 1,
                  time.tm_year + 1900, time.tm_hour, time.tm_min);
    return text;
}

}  // namespace korvane
