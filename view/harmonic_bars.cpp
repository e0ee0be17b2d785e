#include "view/harmonic_bars.h"

#include <QPainter>
#include <algorithm>

namespace korvane {

namespace {

// The scale runs from 0 dBc down to a little below what a 12-bit DAC can show.
constexpr double kBottomDbc = -120.0;
constexpr int kShownHarmonics = 32;
constexpr int kLeftMargin = 40;
constexpr int kBottomMargin = 18;
constexpr int kMargin = 6;

}  // namespace

SpectrumBars::SpectrumBars(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SpectrumBars::SetSpectrum(std::vector<double> harmonicsDbc, double floorDbc) {
    harmonicsDbc_ = std::move(harmonicsDbc);
    floorDbc_ = floorDbc;
    update();
}

void SpectrumBars::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRectF plot(kLeftMargin, kMargin, width() - kLeftMargin - kMargin,
                      height() - kMargin - kBottomMargin);
    const auto yOf = [&plot](double dbc) {
        return plot.top() + std::clamp(dbc / kBottomDbc, 0.0, 1.0) * plot.height();
    };
    painter.setPen(QColor(110, 110, 110));
    for (double dbc = 0.0; dbc >= kBottomDbc; dbc -= 20.0) {
        const double y = yOf(dbc);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.drawText(QRectF(0, y - 8, kLeftMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(dbc, 'f', 0));
    }
    const int shown = std::min<int>(static_cast<int>(harmonicsDbc_.size()), kShownHarmonics);
    if (shown == 0) {
        return;
    }
    const double slot = plot.width() / shown;
    for (int k = 0; k < shown; ++k) {
        const double top = yOf(harmonicsDbc_[static_cast<std::size_t>(k)]);
        const QRectF bar(plot.left() + slot * (k + 0.2), top, slot * 0.6, plot.bottom() - top);
        painter.fillRect(bar, k == 0 ? QColor(80, 160, 255) : QColor(80, 220, 80));
        if (k == 0 || (k + 1) % 5 == 0) {
            painter.setPen(Qt::white);
            painter.drawText(QRectF(plot.left() + slot * k - 10, plot.bottom() + 2, slot + 20, 16),
                             Qt::AlignHCenter | Qt::AlignTop, QString::number(k + 1));
        }
    }
    painter.setPen(QPen(QColor(230, 80, 80), 1, Qt::DashLine));
    const double floorY = yOf(floorDbc_);
    painter.drawLine(QPointF(plot.left(), floorY), QPointF(plot.right(), floorY));
}

}  // namespace korvane
