#include "shell/window_arrangement.h"

#include <algorithm>
#include <cmath>

namespace korvane {

std::vector<QRect> CascadeWindows(int count, const QRect& area, QSize preferred, QSize minimum,
                                  int step) {
    const int steps = std::max(0, count - 1) * step;
    const QSize size = preferred.boundedTo(area.size() - QSize(steps, steps)).expandedTo(minimum);
    // How many steps fit before a window would cross the area's right or bottom edge.
    const int room = std::min(area.width() - size.width(), area.height() - size.height());
    const int stairs = std::max(1, room / std::max(1, step) + 1);
    std::vector<QRect> windows;
    for (int i = 0; i < count; ++i) {
        const int offset = (i % stairs) * step;
        windows.emplace_back(area.topLeft() + QPoint(offset, offset), size);
    }
    return windows;
}

namespace {

std::vector<QRect> Grid(int count, const QRect& area, QSize minimum) {
    const int square = static_cast<int>(std::ceil(std::sqrt(double(count))));
    const int fitting = std::max(1, area.width() / std::max(1, minimum.width()));
    const int columns = std::min(square, fitting);
    const int rows = (count + columns - 1) / columns;
    const QSize cell = QSize(area.width() / columns, area.height() / rows).expandedTo(minimum);
    std::vector<QRect> windows;
    for (int i = 0; i < count; ++i) {
        windows.emplace_back(
            area.topLeft() + QPoint((i % columns) * cell.width(), (i / columns) * cell.height()),
            cell);
    }
    return windows;
}

QRect Bounds(const std::vector<QRect>& windows) {
    QRect bounds;
    for (const QRect& window : windows) {
        bounds |= window;
    }
    return bounds;
}

}  // namespace

namespace {

// The shift along one axis of a window [start, end) into a view [viewStart, viewEnd).
int ShiftToShow(int start, int end, int viewStart, int viewEnd) {
    if (start < viewStart || end - start > viewEnd - viewStart) {
        return start - viewStart;
    }
    return std::max(0, end - viewEnd);
}

}  // namespace

QPoint ScrollToShow(const QRect& window, const QRect& view) {
    return {ShiftToShow(window.left(), window.left() + window.width(), view.left(),
                        view.left() + view.width()),
            ShiftToShow(window.top(), window.top() + window.height(), view.top(),
                        view.top() + view.height())};
}

std::vector<QRect> TileWindows(int count, const QRect& area, QSize minimum, int scrollBarExtent) {
    if (count <= 0) {
        return {};
    }
    const QRect bounds = Bounds(Grid(count, area, minimum));
    QRect room = area;
    if (bounds.bottom() > area.bottom()) {
        room.setRight(room.right() - scrollBarExtent);
    }
    if (bounds.right() > area.right()) {
        room.setBottom(room.bottom() - scrollBarExtent);
    }
    return Grid(count, room, minimum);
}

}  // namespace korvane
