#include "view/controls/left_right.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "view/controls/panel_painting.h"
#include "view/controls/panel_palette.h"

namespace korvane {

namespace {
constexpr double kSlotRadius = 3.0;
constexpr double kThumbFraction = 0.52;  // thumb width / slot width
constexpr int kGripLines = 3;
}  // namespace

CLeftRight::CLeftRight(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void CLeftRight::SetValue(bool right) {
    value_ = right;
    update();
}

void CLeftRight::paintEvent(QPaintEvent*) {
    const PanelPalette& palette = DefaultPanelPalette();
    QPainter painter(this);
    PreparePanelPainter(painter, *this);

    const QRectF slot = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient recess(slot.topLeft(), slot.bottomLeft());
    recess.setColorAt(0.0, palette.slot);
    recess.setColorAt(1.0, palette.skirt);
    painter.setPen(QPen(palette.outline, 1.0));
    painter.setBrush(recess);
    painter.drawRoundedRect(slot, kSlotRadius, kSlotRadius);

    const QRectF travel = slot.adjusted(1.5, 1.5, -1.5, -1.5);
    const double width = travel.width() * kThumbFraction;
    const double left = value_ ? travel.right() - width : travel.left();
    const QRectF thumb(left, travel.top(), width, travel.height());
    painter.setPen(QPen(palette.outline, 0.8));
    painter.setBrush(MetalGradient(thumb, palette, false));
    painter.drawRoundedRect(thumb, kSlotRadius - 1.0, kSlotRadius - 1.0);

    // Grip ridges across the thumb.
    const double spacing = thumb.width() / (kGripLines + 1);
    const double inset = thumb.height() * 0.25;
    for (int i = 1; i <= kGripLines; ++i) {
        const double x = thumb.left() + i * spacing;
        painter.setPen(QPen(palette.metalDark, 1.0));
        painter.drawLine(QPointF(x, thumb.top() + inset), QPointF(x, thumb.bottom() - inset));
        painter.setPen(QPen(palette.metalLight, 1.0));
        painter.drawLine(QPointF(x + 1.0, thumb.top() + inset),
                         QPointF(x + 1.0, thumb.bottom() - inset));
    }
    PaintFocusFrame(painter, *this);
}

void CLeftRight::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    Flip();
}

void CLeftRight::keyPressEvent(QKeyEvent* event) {
    const bool toLeft = event->key() == Qt::Key_Left && value_;
    const bool toRight = event->key() == Qt::Key_Right && !value_;
    if (toLeft || toRight || (event->key() == Qt::Key_Space && !event->isAutoRepeat())) {
        Flip();
    } else if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
    }
}

void CLeftRight::Flip() {
    SetValue(!value_);
    emit Click();
}

}  // namespace korvane
