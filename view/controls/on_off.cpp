#include "view/controls/on_off.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "view/controls/panel_painting.h"
#include "view/controls/panel_palette.h"
#include "view/controls/stock_mouse.h"

namespace korvane {

namespace {
constexpr double kBezelRadius = 3.5;
constexpr double kCapRadius = 2.5;
constexpr double kTravel = 1.0;  // how far a pressed key sinks, in pixels
}  // namespace

COnOff::COnOff(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void COnOff::SetValue(bool pressed) {
    value_ = pressed;
    update();
}

void COnOff::paintEvent(QPaintEvent*) {
    const PanelPalette& palette = DefaultPanelPalette();
    QPainter painter(this);
    PreparePanelPainter(painter, *this);

    const QRectF bezel = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(palette.outline, 1.0));
    painter.setBrush(palette.skirt);
    painter.drawRoundedRect(bezel, kBezelRadius, kBezelRadius);

    QRectF cap = bezel.adjusted(2.0, 2.0, -2.0, -2.0 - kTravel);
    if (value_) {
        cap.translate(0.0, kTravel);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette.shadow);
        painter.drawRoundedRect(cap.translated(0.0, kTravel), kCapRadius, kCapRadius);
    }
    painter.setPen(QPen(palette.outline, 0.8));
    painter.setBrush(MetalGradient(cap, palette, value_));
    painter.drawRoundedRect(cap, kCapRadius, kCapRadius);

    // Indicator window in the cap: glowing while the key is in.
    const QRectF window(cap.center().x() - cap.width() * 0.22, cap.top() + cap.height() * 0.30,
                        cap.width() * 0.44, std::max(2.0, cap.height() * 0.22));
    painter.setPen(Qt::NoPen);
    painter.setBrush(value_ ? palette.keyLit : palette.skirt);
    painter.drawRoundedRect(window, 1.0, 1.0);
    PaintFocusFrame(painter, *this);
}

void COnOff::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    Press(event->modifiers(), event->position());
}

void COnOff::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        QWidget::keyPressEvent(event);
        return;
    }
    Press(event->modifiers(), QRectF(rect()).center());
}

void COnOff::Press(Qt::KeyboardModifiers modifiers, QPointF position) {
    SetValue(!value_);
    const StockMouse m = MakeStockMouse(Qt::LeftButton, modifiers, position);
    emit MouseDown(m.button, m.shift, m.x, m.y);
}

}  // namespace korvane
