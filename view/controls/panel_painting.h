#pragma once

#include <QLinearGradient>
#include <QRectF>

class QPainter;
class QWidget;

namespace korvane {

struct PanelPalette;

// Anti-aliased painter on `widget`, dimmed when the widget is disabled.
void PreparePanelPainter(QPainter& painter, const QWidget& widget);

// Vertical brushed-metal shading over `rect`; `sunken` turns the light to the bottom.
QLinearGradient MetalGradient(const QRectF& rect, const PanelPalette& palette, bool sunken);

// The largest square centred in `rect`.
QRectF CentredSquare(const QRectF& rect);

}  // namespace korvane
