#include "shell/manual_link.h"

#include <QPoint>

namespace korvane {

bool InManualLinkArea(const QRect& clientRect, const QPoint& pos) {
    QRect area = clientRect;
    area.setRight(area.right() - static_cast<int>(area.width() * 0.6));
    return area.contains(pos);
}

}  // namespace korvane
