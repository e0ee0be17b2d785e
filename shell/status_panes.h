#pragma once

#include <QFont>
#include <QString>

#include "shell/status_text.h"

class QLabel;
class QStatusBar;

namespace korvane {

class ChannelState;
class LanguageTable;

// The status bar's panes: the selected device's connection state, its detail (the serial
// number), the clock, and the remote control's state (shown only while it is on or failed).
class StatusPanes {
  public:
    explicit StatusPanes(QStatusBar& bar);

    // `channel` is the selected device's channel, null when there is none; `searching`: the
    // devices are still being counted. The "searching" dots advance by one on every refresh.
    void Refresh(const ChannelState* channel, bool searching, const LanguageTable& language);
    QString Text(int pane) const;
    // The remote control's pane; an empty text hides it.
    void ShowRemote(const QString& text);
    static constexpr int kRemotePane = 3;

  private:
    QLabel* panes_[4] = {};
    QFont clockFont_;  // the font the clock pane was last sized for
    SearchDots dots_;
};

}  // namespace korvane
