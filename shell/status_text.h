#pragma once

#include <ctime>
#include <string>

namespace korvane {

class ChannelState;
class LanguageTable;

// The connection state of the selected device as the status bar shows it.
struct ConnectionStatus {
    std::string state;   // "Demo", "No Item", "Connect" or "Searching for hardware" with dots
    std::string detail;  // the combined serial number, empty without a connected device
};

// `channel` is the selected device's channel, null when there is none; `searching`: the devices
// are still being counted at start-up; `dots` is how many dots follow "Searching for hardware".
// What the device library says the channel's generator is ("Sound card left output (default)");
// empty for a demo window, no channel, and a generator the library says nothing about.
std::string DescribeDevice(const ChannelState* channel);

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
