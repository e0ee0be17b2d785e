#include "view/controls/turn_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "view/controls/panel_painting.h"
#include "view/controls/panel_palette.h"
#include "view/controls/stock_mouse.h"

namespace korvane {

namespace {

constexpr int kTickCount = 32;
constexpr int kMajorTickEvery = 8;
constexpr int kMediumTickEvery = 4;
constexpr double kBodyFraction = 0.74;  // knob body radius / outer radius
constexpr double kCapFraction = 0.80;   // cap radius / body radius
// Near the centre the pointer's angle swings wildly; moves there do not turn the knob.
constexpr double kDeadZonePixels = 4.0;
constexpr int kWheelNotch = 120;
constexpr int kMaxNotchesPerGesture = 16;
constexpr int kNotchesPerPage = 4;

double ToDegrees(double angle) {
    return angle / CTurnButton::kFullTurn * 360.0;
}

void PaintTicks(QPainter& painter, QPointF centre, double radius, const PanelPalette& palette) {
    painter.save();
    painter.translate(centre);
    for (int i = 0; i < kTickCount; ++i) {
        const bool major = i % kMajorTickEvery == 0;
        const bool medium = i % kMediumTickEvery == 0;
        const double inner = radius * (major ? 0.80 : (medium ? 0.84 : 0.88));
        painter.setPen(QPen(palette.tick, major ? 1.6 : 1.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -inner), QPointF(0, -radius));
        painter.rotate(360.0 / kTickCount);
    }
    painter.restore();
}

void PaintBody(QPainter& painter, QPointF centre, double body, const PanelPalette& palette) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.shadow);
    painter.drawEllipse(centre + QPointF(0, body * 0.06), body * 1.03, body * 1.03);

    QRadialGradient skirt(centre, body, centre - QPointF(body * 0.3, body * 0.4));
    skirt.setColorAt(0.0, palette.metalDark);
    skirt.setColorAt(1.0, palette.skirt);
    painter.setBrush(skirt);
    painter.setPen(QPen(palette.outline, 1.0));
    painter.drawEllipse(centre, body, body);

    // Knurled grip: fine radial lines around the skirt.
    painter.save();
    painter.translate(centre);
    painter.setPen(QPen(palette.outline, 0.8));
    for (int i = 0; i < 60; ++i) {
        painter.drawLine(QPointF(0, -body * 0.86), QPointF(0, -body * 0.98));
        painter.rotate(6.0);
    }
    painter.restore();

    // Brushed cap: a conical sweep of light around the centre.
    const double cap = body * kCapFraction;
    QConicalGradient brushed(centre, 60.0);
    for (int i = 0; i <= 4; ++i) {
        brushed.setColorAt(i / 4.0, i % 2 == 0 ? palette.metalLight : palette.metalDark);
    }
    brushed.setColorAt(0.125, palette.metalMid);
    brushed.setColorAt(0.625, palette.metalMid);
    painter.setBrush(brushed);
    painter.setPen(QPen(palette.outline, 1.0));
    painter.drawEllipse(centre, cap, cap);

    QRadialGradient sheen(centre - QPointF(cap * 0.35, cap * 0.45), cap);
    sheen.setColorAt(0.0, palette.highlight);
    sheen.setColorAt(1.0, Qt::transparent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sheen);
    painter.drawEllipse(centre, cap, cap);
}

void PaintPointer(QPainter& painter, QPointF centre, double body, double angle,
                  const PanelPalette& palette) {
    painter.save();
    painter.translate(centre);
    painter.rotate(ToDegrees(angle));
    const double width = std::max(2.0, body * 0.08);
    painter.setPen(QPen(palette.pointer, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, -body * 0.22), QPointF(0, -body * 0.93));
    painter.restore();
}

}  // namespace

double WrapTurn(double angle) {
    if (!std::isfinite(angle)) {
        return 0.0;
    }
    double wrapped = std::fmod(angle, CTurnButton::kFullTurn);
    if (wrapped < 0.0) {
        wrapped += CTurnButton::kFullTurn;
    }
    return wrapped >= CTurnButton::kFullTurn ? 0.0 : wrapped;
}

CTurnButton::CTurnButton(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void CTurnButton::SetValue(double angle) {
    value_ = std::isfinite(angle) && angle >= 0.0 && angle <= kFullTurn ? angle : WrapTurn(angle);
    update();
}

QPointF CTurnButton::Centre() const {
    return QRectF(rect()).center();
}

double CTurnButton::Radius() const {
    return CentredSquare(QRectF(rect())).width() / 2.0 - 1.0;
}

double CTurnButton::AngleAt(QPointF position) const {
    const QPointF d = position - Centre();
    double radians = std::atan2(d.x(), -d.y());
    if (radians < 0.0) {
        radians += 2.0 * std::numbers::pi;
    }
    return WrapTurn(radians / (2.0 * std::numbers::pi) * kFullTurn);
}

void CTurnButton::TurnBy(double delta) {
    value_ = WrapTurn(value_ + delta);
    update();
}

void CTurnButton::paintEvent(QPaintEvent*) {
    const PanelPalette& palette = DefaultPanelPalette();
    QPainter painter(this);
    PreparePanelPainter(painter, *this);
    const QPointF centre = Centre();
    const double radius = Radius();
    const double body = radius * kBodyFraction;
    PaintTicks(painter, centre, radius, palette);
    PaintBody(painter, centre, body, palette);
    PaintPointer(painter, centre, body, value_, palette);
    PaintFocusFrame(painter, *this);
}

void CTurnButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    turning_ = true;
    grabAngle_ = AngleAt(event->position());
    const StockMouse m = MakeStockMouse(event->buttons(), event->modifiers(), event->position());
    emit MouseDown(m.button, m.shift, m.x, m.y);
}

void CTurnButton::mouseMoveEvent(QMouseEvent* event) {
    if (!turning_) {
        event->ignore();
        return;
    }
    const QPointF d = event->position() - Centre();
    if (std::hypot(d.x(), d.y()) >= kDeadZonePixels) {
        const double angle = AngleAt(event->position());
        double delta = angle - grabAngle_;
        if (delta > kFullTurn / 2) {
            delta -= kFullTurn;
        } else if (delta < -kFullTurn / 2) {
            delta += kFullTurn;
        }
        grabAngle_ = angle;
        TurnBy(delta);
    }
    const StockMouse m = MakeStockMouse(Qt::LeftButton, event->modifiers(), event->position());
    emit MouseMove(m.button, m.shift, m.x, m.y);
}

void CTurnButton::mouseReleaseEvent(QMouseEvent* event) {
    if (!turning_ || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    turning_ = false;
    const StockMouse m = MakeStockMouse(Qt::LeftButton, event->modifiers(), event->position());
    emit MouseUp(m.button, m.shift, m.x, m.y);
}

void CTurnButton::wheelEvent(QWheelEvent* event) {
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    if (notches == 0) {
        event->accept();
        return;
    }
    wheelRemainder_ -= notches * kWheelNotch;
    TurnByNotches(notches, MakeStockMouse(Qt::NoButton, event->modifiers(), event->position()));
    event->accept();
}

void CTurnButton::keyPressEvent(QKeyEvent* event) {
    int notches = 0;
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Right:
            notches = 1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Left:
            notches = -1;
            break;
        case Qt::Key_PageUp:
            notches = kNotchesPerPage;
            break;
        case Qt::Key_PageDown:
            notches = -kNotchesPerPage;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    TurnByNotches(notches, MakeStockMouse(Qt::NoButton, event->modifiers(), Centre()));
}

void CTurnButton::TurnByNotches(int notches, StockMouse m) {
    // Each gesture turns less than half a turn, so a listener can still tell the direction.
    for (int left = notches; left != 0;) {
        const int chunk = std::clamp(left, -kMaxNotchesPerGesture, kMaxNotchesPerGesture);
        TurnBy(chunk * kWheelStep);
        emit MouseDown(m.button, m.shift, m.x, m.y);
        emit MouseUp(m.button, m.shift, m.x, m.y);
        left -= chunk;
    }
}

}  // namespace korvane
