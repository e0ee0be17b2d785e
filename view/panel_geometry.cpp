#include "view/panel_geometry.h"

#include <algorithm>

namespace korvane {

namespace {

constexpr int kRightMargin = 5;
constexpr int kGap = 10;
constexpr int kSliderHeight = 20;

// A rectangle from its four edges, right and bottom lying just outside it.
QRect FromEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

}  // namespace

PanelGeometry ArrangePanel(QSize client, QSize panel, bool controlsShown, bool arbitrary,
                           QSize showHideButton, int scrollBarWidth) {
    const int right = client.width() - kRightMargin;
    const int bottom = client.height();
    const int panelWidth = panel.width() + (bottom < panel.height() ? scrollBarWidth : 0);
    const int panelLeft =
        controlsShown ? std::max(std::min(kMinimumDisplayWidth + kGap, right), right - panelWidth)
                      : right;

    PanelGeometry geometry;
    geometry.panel = FromEdges(panelLeft, 0, right, bottom);
    const int displayRight = panelLeft - kGap;
    if (arbitrary) {
        geometry.slider = FromEdges(0, bottom - kSliderHeight, displayRight, bottom);
        geometry.display = FromEdges(0, 0, displayRight, bottom - kSliderHeight);
    } else {
        geometry.display = FromEdges(0, 0, displayRight, bottom);
    }
    geometry.showHide =
        QRect(QPoint(panelLeft - showHideButton.width(), (bottom - showHideButton.height()) / 2),
              showHideButton);
    return geometry;
}

}  // namespace korvane
