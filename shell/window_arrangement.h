#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace korvane {

// Where Window > Cascade puts `count` windows in `area`: each as large as `preferred` where the
// area allows it, never smaller than `minimum`, each one `step` pixels lower and further right
// than the one before; the staircase starts again at the top-left corner when the next window
// would leave the area.
std::vector<QRect> CascadeWindows(int count, const QRect& area, QSize preferred, QSize minimum,
                                  int step);

// Where Window > Tile puts `count` windows: a grid with about as many columns as rows (fewer
// columns where `minimum` is wider than a share of the area), filling the area. A cell is never
// smaller than `minimum`; the grid then reaches beyond the area, which scrolls, and leaves room
// for the area's scroll bars (`scrollBarExtent` wide) on the sides that do not scroll.
std::vector<QRect> TileWindows(int count, const QRect& area, QSize minimum, int scrollBarExtent);

// How far a scrolling area moves its contents (positive: to the right and down) so that `window`
// shows whole in `view`; of a window larger than the view the top-left corner shows, where its
// title bar is.
QPoint ScrollToShow(const QRect& window, const QRect& view);

}  // namespace korvane
