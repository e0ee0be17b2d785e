#include "shell/window_menu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>

#include "shell/window_arrangement.h"

namespace korvane {

void FillWindowMenu(QMenu& menu, QMdiArea& area) {
    for (QAction* action : menu.actions()) {
        if (action->property("windowEntry").toBool()) {
            menu.removeAction(action);
            delete action;
        }
    }
    const QList<QMdiSubWindow*> windows = area.subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    QAction* separator = menu.addSeparator();
    separator->setProperty("windowEntry", true);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QAction* entry = menu.addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle()), [&area, window] {
                area.setActiveSubWindow(window);
                ScrollIntoView(area, window);
            });
        entry->setProperty("windowEntry", true);
        entry->setCheckable(true);
        entry->setChecked(window == area.currentSubWindow());
    }
}

// Device windows leave the maximised state for Cascade and Tile, each at a size where its form
// shows a display and a panel that scrolls; where the area is too small for that, the area
// scrolls instead. Activating a window from its title bar's button maximises it again.
void ArrangeDeviceWindows(QMdiArea& area, bool tile) {
    const QList<QMdiSubWindow*> windows = area.subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    for (QMdiSubWindow* window : windows) {
        window->showNormal();
    }
    QMdiSubWindow& first = *windows.front();
    const QSize frame = first.size() - first.widget()->size();
    const QSize minimum = first.widget()->minimumSizeHint() + frame;
    const QRect viewport = area.viewport()->rect();
    const std::vector<QRect> places =
        tile ? TileWindows(int(windows.size()), viewport, minimum,
                           area.style()->pixelMetric(QStyle::PM_ScrollBarExtent))
             : CascadeWindows(int(windows.size()), viewport, first.widget()->sizeHint() + frame,
                              minimum, frame.height());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(places[std::size_t(i)]);
    }
    if (QMdiSubWindow* active = area.activeSubWindow()) {
        active->raise();
    }
}

// Only a window chosen by name (menu, tab) scrolls into view: one clicked on stays where it is,
// so the control under the mouse does not move away.
void ScrollIntoView(QMdiArea& area, QMdiSubWindow* window) {
    if (window == nullptr) {
        return;
    }
    const QPoint shift = ScrollToShow(window->geometry(), area.viewport()->rect());
    QScrollBar* horizontal = area.horizontalScrollBar();
    QScrollBar* vertical = area.verticalScrollBar();
    horizontal->setValue(horizontal->value() + shift.x());
    vertical->setValue(vertical->value() + shift.y());
}

}  // namespace korvane
