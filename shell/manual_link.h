#pragma once

#include <QRect>

class QPoint;

namespace korvane {

// The splash picture and the About box open the program's manual when the left 40 % of the
// picture is clicked (60 % of the width taken off the right, truncated to a pixel).
bool InManualLinkArea(const QRect& clientRect, const QPoint& pos);

}  // namespace korvane
