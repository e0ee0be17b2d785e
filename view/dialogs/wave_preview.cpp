#include "view/dialogs/wave_preview.h"

#include <QPainter>
#include <QPainterPath>

#include "document/user_message.h"

namespace korvane {

namespace {

constexpr double kFullScaleVolts = 3.5;
constexpr int kMargin = 4;

}  // namespace

QString ClippedPointsText(const FittedWave& table) {
    if (table.clippedCount == 0) {
        return {};
    }
    const QString format = LanguageTextOr(2108, "%d of %d points clipped to +/-3.5 V");
    return QString::asprintf(format.toUtf8().constData(), table.clippedCount,
                             static_cast<int>(table.points.size()));
}

WavePreview::WavePreview(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void WavePreview::SetPoints(std::span<const float> points) {
    points_.assign(points.begin(), points.end());
    update();
}

void WavePreview::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRectF area = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    painter.fillRect(rect(), Qt::black);
    const auto yOf = [&area](double volts) {
        return area.center().y() - volts / kFullScaleVolts * area.height() / 2.0;
    };
    painter.setPen(QPen(QColor(90, 90, 90), 1, Qt::DotLine));
    painter.drawLine(QPointF(area.left(), yOf(0.0)), QPointF(area.right(), yOf(0.0)));
    painter.setPen(QPen(QColor(200, 60, 60), 1, Qt::DashLine));
    for (const double limit : {kFullScaleVolts, -kFullScaleVolts}) {
        painter.drawLine(QPointF(area.left(), yOf(limit)), QPointF(area.right(), yOf(limit)));
    }
    if (points_.empty()) {
        return;
    }
    // Each point holds its value over its share of the period, as the device plays it.
    QPainterPath path;
    const double step = area.width() / static_cast<double>(points_.size());
    for (std::size_t k = 0; k < points_.size(); ++k) {
        const double x = area.left() + step * static_cast<double>(k);
        const double y = yOf(points_[k]);
        if (k == 0) {
            path.moveTo(x, y);
        } else {
            path.lineTo(x, y);
        }
        path.lineTo(x + step, y);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(80, 220, 80), 1.5));
    painter.drawPath(path);
}

}  // namespace korvane
