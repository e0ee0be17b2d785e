#pragma once

#include <ctime>
#include <string>

namespace korvane {

class ChannelState;
class DeviceLibrary;
class LanguageTable;

// The connection state of the selected device as the status bar shows it.
struct ConnectionStatus {
    std::string state;   // "Demo", "No Item", "Connect" or "Searching for hardware" with dots
    std::string detail;  // the combined serial number, empty without a connected device
};

// `channel` is the selected device's channel, null when there is none; `searching`: the devices
// are still being counted at start-up; `dots` is how many dots follow "Searching for hardware".
// What `library` says device `device` is, in the user's language ("Sound card left output
// (default)" in English): the one wording the Device List, the tab's tooltip and the status bar
// show. Empty without a library and for a generator the library says nothing about.
std::string DescribeDevice(const DeviceLibrary* library, int device, const LanguageTable& language);
// The same for the channel's generator; empty for a demo window and no channel.
std::string DescribeDevice(const ChannelState* channel, const LanguageTable& language);

ConnectionStatus DescribeConnection(const ChannelState* channel, bool searching, int dots,
                                    const LanguageTable& language);

// "dd.mm.yyyy  hh:mm    ".
std::string DateTimeText(const std::tm& time);

// Counts 1, 2, ... 6, 1, ... once per status refresh.
class SearchDots {
  public:
    int Current() const { return count_; }
    void Advance() { count_ = count_ + 1 >= 7 ? 1 : count_ + 1; }

  private:
    int count_ = 1;
};

}  // namespace korvane
