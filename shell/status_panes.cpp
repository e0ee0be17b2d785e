#include "shell/status_panes.h"

#include <QLabel>
#include <QStatusBar>
#include <ctime>

namespace korvane {

StatusPanes::StatusPanes(QStatusBar& bar) {
    // The connection and detail panes share what the clock leaves, half each.
    for (int i = 0; i < 4; ++i) {
        panes_[i] = new QLabel(&bar);
        panes_[i]->setContentsMargins(4, 0, 4, 0);
    }
    for (int i = 0; i < 2; ++i) {
        panes_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        bar.addWidget(panes_[i], 1);
    }
    bar.addPermanentWidget(panes_[kRemotePane]);
    panes_[kRemotePane]->hide();
    bar.addPermanentWidget(panes_[2]);
}

void StatusPanes::ShowRemote(const QString& text) {
    QLabel& pane = *panes_[kRemotePane];
    if (pane.text() != text) {
        pane.setText(text);
        pane.setVisible(!text.isEmpty());
    }
}

void StatusPanes::Refresh(const ChannelState* channel, bool searching,
                          const LanguageTable& language) {
    const ConnectionStatus status =
        DescribeConnection(channel, searching, dots_.Current(), language);
    dots_.Advance();

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const QString dateTime = QString::fromStdString(DateTimeText(local));

    panes_[0]->setText(QString::fromStdString(status.state));
    panes_[1]->setText(QString::fromStdString(status.detail));
    // Measuring text is the costly part of a refresh, and the clock changes once a minute.
    QLabel& clock = *panes_[2];
    if (dateTime != clock.text() || clock.font() != clockFont_) {
        clockFont_ = clock.font();
        clock.setFixedWidth(clock.fontMetrics().horizontalAdvance(dateTime) + 10 +
                            clock.contentsMargins().left() + clock.contentsMargins().right());
        clock.setText(dateTime);
    }
}

QString StatusPanes::Text(int pane) const {
    return pane >= 0 && pane < 4 ? panes_[pane]->text() : QString();
}

}  // namespace korvane
