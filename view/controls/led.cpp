#include "view/controls/led.h"

#include <QPainter>

#include "view/controls/panel_painting.h"
#include "view/controls/panel_palette.h"

namespace korvane {

namespace {
constexpr double kLensFraction = 0.62;  // lens radius / half the widget; the rest is glow
}

CLED::CLED(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CLED::SetValue(bool lit) {
    if (lit != value_) {
        value_ = lit;
        update();
    }
}

void CLED::paintEvent(QPaintEvent*) {
    const PanelPalette& palette = DefaultPanelPalette();
    QPainter painter(this);
    PreparePanelPainter(painter, *this);

    const QRectF square = CentredSquare(QRectF(rect()));
    const QPointF centre = square.center();
    const double outer = square.width() / 2.0;
    const double lens = outer * kLensFraction;

    painter.setPen(Qt::NoPen);
    if (value_) {
        QRadialGradient glow(centre, outer);
        QColor halo = palette.ledOn;
        halo.setAlpha(150);
        glow.setColorAt(kLensFraction, halo);
        glow.setColorAt(1.0, Qt::transparent);
        painter.setBrush(glow);
        painter.drawEllipse(centre, outer, outer);
    }

    const QColor body = value_ ? palette.ledOn : palette.ledOff;
    QRadialGradient lamp(centre, lens, centre - QPointF(lens * 0.3, lens * 0.35));
    lamp.setColorAt(0.0, value_ ? palette.ledHot : body.lighter(160));
    lamp.setColorAt(0.55, body);
    lamp.setColorAt(1.0, body.darker(value_ ? 130 : 160));
    painter.setBrush(lamp);
    painter.setPen(QPen(palette.outline, 0.8));
    painter.drawEllipse(centre, lens, lens);

    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.highlight);
    painter.drawEllipse(centre - QPointF(lens * 0.35, lens * 0.4), lens * 0.3, lens * 0.22);
}

}  // namespace korvane
