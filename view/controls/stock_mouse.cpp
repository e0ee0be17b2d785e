#include "view/controls/stock_mouse.h"

namespace korvane {

StockMouse MakeStockMouse(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                          QPointF position) {
    StockMouse mouse;
    mouse.button = (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                   (buttons & Qt::MiddleButton ? 4 : 0);
    mouse.shift = (modifiers & Qt::ShiftModifier ? 1 : 0) |
                  (modifiers & Qt::ControlModifier ? 2 : 0) | (modifiers & Qt::AltModifier ? 4 : 0);
    mouse.x = static_cast<int>(position.x());
    mouse.y = static_cast<int>(position.y());
    return mouse;
}

}  // namespace korvane
