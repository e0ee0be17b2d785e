#pragma once

#include <QPointF>
#include <Qt>

namespace korvane {

// The parameters every panel-control mouse notification carries: the button (1 left, 2 right,
// 4 middle), the modifier keys (1 Shift, 2 Ctrl, 4 Alt) and the position in the control.
struct StockMouse {
    int button = 0;
    int shift = 0;
    int x = 0;
    int y = 0;
};

StockMouse MakeStockMouse(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                          QPointF position);

}  // namespace korvane
