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

// A dotted frame just inside `widget` while it has the keyboard focus, so a panel control
// reached with Tab shows it is the one the keys act on.
void PaintFocusFrame(QPainter& painter, const QWidget& widget);

// The largest square centred in `rect`.
QRectF CentredSquare(const QRectF& rect);

}  // namespace korvane
