#pragma once

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace korvane {

// Puts one checkable entry per device window at the end of the Window menu (the current window
// checked), replacing the entries of the last time it showed. Choosing one activates that window
// and scrolls it into view.
void FillWindowMenu(QMenu& menu, QMdiArea& area);

// Window > Cascade (tile false) and Window > Tile.
void ArrangeDeviceWindows(QMdiArea& area, bool tile);

// Scrolls the device area until `window` shows whole (or its top-left corner, when larger).
void ScrollIntoView(QMdiArea& area, QMdiSubWindow* window);

}  // namespace korvane
