#include "view/controls/panel_painting.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "view/controls/panel_palette.h"

namespace korvane {

namespace {
constexpr double kDisabledOpacity = 0.45;
}

void PreparePanelPainter(QPainter& painter, const QWidget& widget) {
    painter.setRenderHint(QPainter::Antialiasing);
    if (!widget.isEnabled()) {
        painter.setOpacity(kDisabledOpacity);
    }
}

QLinearGradient MetalGradient(const QRectF& rect, const PanelPalette& palette, bool sunken) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, sunken ? palette.metalDark : palette.metalLight);
    gradient.setColorAt(0.55, palette.metalMid);
    gradient.setColorAt(1.0, sunken ? palette.metalLight : palette.metalDark);
    return gradient;
}

void PaintFocusFrame(QPainter& painter, const QWidget& widget) {
    if (!widget.hasFocus()) {
        return;
    }
    painter.save();
    painter.setOpacity(1.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(widget.palette().color(QPalette::Highlight), 1.0, Qt::DotLine));
    painter.drawRect(QRectF(widget.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
}

QRectF CentredSquare(const QRectF& rect) {
    const double side = std::min(rect.width(), rect.height());
    return QRectF(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
}

}  // namespace korvane
