#include "view/wave_painting.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <optional>

#include "view/wave_texts.h"

namespace korvane {

namespace {

constexpr int kBevelWidth = 8;
const QColor kBevelLight(192, 192, 192);
const QColor kBevelWhite(255, 255, 255);
constexpr float kVoltsToFullScale = 0.2857143f;
constexpr int kGridColumns = 10;
constexpr int kGridRows = 8;
constexpr int kCurvePenWidth = 2;
constexpr int kReadoutFromRight = 140;
constexpr int kBarHalfWidth = 100;
constexpr int kStatusFromBottom = 18;
constexpr int kTextIndent = 3;
constexpr int kClippedFromTop = 40;  // below the cursor readout
constexpr int kTextGap = 6;          // between the file name and what follows it on its row

// A drawing box in whole pixels; right and bottom lie just outside it.
struct PlotBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static PlotBox Inside(const QRect& r, int inset) {
        return {r.left() + inset, r.top() + inset, r.left() + r.width() - inset,
                r.top() + r.height() - inset};
    }
    int Width() const { return right - left; }
    int Mid() const { return top + (bottom - top) / 2; }
    int Half() const { return (bottom - top) / 2; }
    bool Empty() const { return right <= left || bottom <= top; }
};

// Screen row of a normalised value (1.0 = full scale), kept inside the box; a value that is not
// a number has no level and is drawn at 0 V.
int RowOf(const PlotBox& box, double value) {
    const double y = box.Mid() - (std::isnan(value) ? 0.0 : value) * box.Half();
    return static_cast<int>(std::clamp(y, double(box.top), double(box.bottom)));
}

QPen HairlinePen(const QColor& colour, Qt::PenStyle penStyle = Qt::SolidLine) {
    return QPen(colour, 1, penStyle, Qt::FlatCap);
}

// Square caps close the joints between the separately drawn segments of a curve.
QPen CurvePen(const QColor& colour) {
    return QPen(colour, kCurvePenWidth, Qt::SolidLine, Qt::SquareCap);
}

// Strokes the curve through `points` anti-aliased, segment by segment: one stroked path through
// a dense, jagged curve (noise, a high carrier) costs many times more to fill, and round caps
// several times more than square ones.
void DrawCurve(QPainter& painter, const QPolygon& points, const QColor& colour) {
    QList<QLine> segments;
    segments.reserve(points.size());
    for (qsizetype i = 1; i < points.size(); ++i) {
        segments << QLine(points[i - 1], points[i]);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(CurvePen(colour));
    painter.drawLines(segments);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// With Wave ON/OFF off the device puts out mid scale, 0 V, whatever the wave: the set wave is
// drawn dimmed and the flat output over it in the curve's colour.
void DrawOutputCurve(QPainter& painter, const PlotBox& box, const QPolygon& points,
                     const WaveParams& params, const WaveStyle& style) {
    if (params.outputOn) {
        DrawCurve(painter, points, style.curve);
        return;
    }
    const QColor &c = style.curve, &f = style.field;
    const auto mix = [](int curve, int field) { return (curve + 2 * field) / 3; };
    DrawCurve(painter, points,
              QColor(mix(c.red(), f.red()), mix(c.green(), f.green()), mix(c.blue(), f.blue())));
    const int row = RowOf(box, 0.0);
    DrawCurve(painter, QPolygon({QPoint(box.left, row), QPoint(box.right - 1, row)}), c);
}

// Text whose top-left corner is at (x, y).
void DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void DrawTextEndingAt(QPainter& painter, int right, int y, const QString& text) {
    DrawTextAt(painter, right - painter.fontMetrics().horizontalAdvance(text), y, text);
}

// ---- layer 1: field and frame ----------------------------------------------------------------

void PaintField(QPainter& painter, const QRect& area, const WaveStyle& style) {
    painter.fillRect(area, style.field);
    if (!style.bevel) {
        return;
    }
    const int l = area.left();
    const int t = area.top();
    const int r = area.left() + area.width();
    const int b = area.top() + area.height();
    const int w = std::min({kBevelWidth, area.width() / 2, area.height() / 2});
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBevelWhite);
    painter.drawPolygon(QPolygon({QPoint(r, t), QPoint(r, b), QPoint(l, b), QPoint(l + w, b - w),
                                  QPoint(r - w, b - w), QPoint(r - w, t + w)}));
    painter.setBrush(kBevelLight);
    painter.drawPolygon(QPolygon({QPoint(l, b), QPoint(l, t), QPoint(r, t), QPoint(r - w, t + w),
                                  QPoint(l + w, t + w), QPoint(l + w, b - w)}));
}

// ---- layer 2: graticule --------------------------------------------------------------------

void PaintGraticule(QPainter& painter, const PlotBox& box, const WaveStyle& style) {
    painter.setPen(HairlinePen(style.grid, Qt::DotLine));
    for (int i = 1; i < kGridColumns; ++i) {
        const int x = box.left + box.Width() * i / kGridColumns;
        painter.drawLine(x, box.top, x, box.bottom - 1);
    }
    for (int i = 1; i < kGridRows; ++i) {
        if (2 * i != kGridRows) {
            const int y = box.top + (box.bottom - box.top) * i / kGridRows;
            painter.drawLine(box.left, y, box.right - 1, y);
        }
    }
    painter.setPen(HairlinePen(style.grid));
    painter.drawLine(box.left, box.Mid(), box.right - 1, box.Mid());
}

// ---- layer 3: curves -----------------------------------------------------------------------

struct CurveExtent {
    int top;     // highest point drawn (smallest row)
    int bottom;  // lowest point drawn
};

// The real wave: waveNumber periods across the box, from the display time base.
CurveExtent PaintStandardCurve(QPainter& painter, const PlotBox& box, const WaveParams& params,
                               const WaveStyle& style) {
    const int width = box.Width();
    QPolygon points;
    points.reserve(width);
    CurveExtent extent{box.bottom, box.top};
    for (int x = 0; x < width; ++x) {
        const double value = Sample(params, double(x) / width, TimeBase::Display, ThreadNoise());
        const int y = RowOf(box, value);
        points << QPoint(box.left + x, y);
        extent.top = std::min(extent.top, y);
        extent.bottom = std::max(extent.bottom, y);
    }
    DrawOutputCurve(painter, box, points, params, style);
    return extent;
}

// The arbitrary window [first, last] of the table, with the table limited to 1..4096 points.
struct ArbWindow {
    int count;
    int first;
    int last;
};

ArbWindow WindowOf(const WaveScene& scene) {
    const int count = LimitPointCount(scene.params.arbPointCount);
    const int first = std::clamp(scene.viewFirst, 0, count - 1);
    return {count, first, std::clamp(scene.viewLast, first, count - 1)};
}

QPoint ArbPointAt(const PlotBox& box, const WaveScene& scene, const ArbWindow& window, int i) {
    const float scale = std::isfinite(scene.arbScale) ? scene.arbScale : 0.0f;
    const double x = std::clamp((i - window.first) * double(scale) + box.left, double(box.left),
                                double(box.right));
    return {static_cast<int>(x), RowOf(box, scene.params.arbPoints[i] * kVoltsToFullScale)};
}

void PaintArbitraryCurve(QPainter& painter, const PlotBox& box, const WaveScene& scene,
                         const ArbWindow& window, const WaveStyle& style) {
    QPolygon points;
    points.reserve(window.last - window.first + 1);
    for (int i = window.first; i <= window.last; ++i) {
        points << ArbPointAt(box, scene, window, i);
    }
    if (points.size() == 1) {
        // One point is a constant level: it spans the whole plot.
        points << QPoint(box.right - 1, points.front().y());
    }
    DrawOutputCurve(painter, box, points, scene.params, style);
}

// ---- layer 4: markers ----------------------------------------------------------------------

void PaintStandardMarkers(QPainter& painter, const PlotBox& curve, const CurveExtent& extent,
                          int waveNumber, const WaveStyle& style) {
    painter.setPen(HairlinePen(style.marker));
    const int periodRight = curve.left + curve.Width() / std::max(1, waveNumber);
    const int periodRow = extent.top - 6;
    painter.drawLine(curve.left, periodRow, periodRight, periodRow);
    painter.drawLine(curve.left, extent.top - 10, curve.left, extent.top - 1);
    painter.drawLine(periodRight, extent.top - 10, periodRight, extent.top - 1);

    const int amplitudeColumn = curve.left - 6;
    painter.drawLine(amplitudeColumn, extent.top, amplitudeColumn, extent.bottom);
    painter.drawLine(curve.left - 10, extent.top, curve.left - 1, extent.top);
    painter.drawLine(curve.left - 10, extent.bottom, curve.left - 1, extent.bottom);
}

// The index under the cursor, if it lies in the window.
std::optional<int> CursorPoint(const WaveScene& scene, const ArbWindow& window,
                               const WaveStyle& style) {
    const int index = style.cursorWithinTable ? std::clamp(scene.cursorIndex, 0, window.count - 1)
                                              : scene.cursorIndex;
    if (index < window.first || index > window.last) {
        return std::nullopt;
    }
    return index;
}

void PaintCrossHair(QPainter& painter, const PlotBox& box, QPoint at, const WaveStyle& style) {
    painter.setPen(HairlinePen(style.cursor));
    painter.drawLine(box.left, at.y(), box.right - 1, at.y());
    painter.drawLine(at.x(), box.top, at.x(), box.bottom - 1);
}

// Draws the readout of the point under the cursor at the top right; returns its left edge.
int PaintCursorReadout(QPainter& painter, const PlotBox& box, const WaveScene& scene, int index,
                       const WaveStyle& style) {
    painter.setPen(style.text);
    const QString readout = CursorReadout(scene.params.arbPoints[index], scene.cursorLabel, index);
    // A readout longer than its place (a larger print font, a long label) moves left to stay
    // whole inside the plot.
    const int widest = box.right - kTextIndent - painter.fontMetrics().horizontalAdvance(readout);
    const int x = std::max(box.left, std::min(box.right - kReadoutFromRight, widest));
    DrawTextAt(painter, x, box.top + kTextIndent, readout);
    return x;
}

// A bar across the top showing where the window lies in the table; returns its left edge.
int PaintPositionBar(QPainter& painter, const PlotBox& box, const ArbWindow& window,
                     const WaveStyle& style) {
    const int centre = (box.left + box.right) / 2;
    const QRect bar(centre - kBarHalfWidth, box.top + 5, 2 * kBarHalfWidth, 10);
    painter.fillRect(bar, style.curve);
    const QRect inner = bar.adjusted(1, 1, -1, -1);
    painter.fillRect(inner, style.field);

    const int innerRight = inner.left() + inner.width();
    const double width = inner.width();
    const int left = static_cast<int>(double(window.first) / window.count * width + inner.left());
    int right =
        left + static_cast<int>(double(window.last - window.first + 1) / window.count * width);
    if (right >= innerRight || window.last == window.count - 1) {
        right = innerRight;
    }
    painter.fillRect(QRect(left, inner.top(), right - left, inner.height()), style.curve);
    return bar.left();
}

// ---- layer 5: texts ------------------------------------------------------------------------

void PaintAmplitudeText(QPainter& painter, const PlotBox& plot, const WaveScene& scene,
                        const WaveStyle& style) {
    painter.setPen(style.marker);
    DrawTextAt(
        painter, plot.left + kTextIndent, plot.top + 20,
        AmplitudeText(scene.params.amplitude, scene.params.frequency, scene.amplitudeFormat));
}

// The file name at the top left ends by `nameEnd`: a long one loses its middle, so the start
// and the extension stay readable and nothing that follows on its row is covered.
void PaintStatusTexts(QPainter& painter, const PlotBox& plot, const WaveScene& scene,
                      const WaveStyle& style, int nameEnd) {
    painter.setPen(style.text);
    const int nameLeft = plot.left + kTextIndent;
    DrawTextAt(painter, nameLeft, plot.top + kTextIndent,
               painter.fontMetrics().elidedText(scene.fileName, Qt::ElideMiddle,
                                                std::max(0, nameEnd - nameLeft)));
    const int row = plot.bottom - kStatusFromBottom;
    DrawTextEndingAt(
        painter, plot.right - 10, row,
        DigitalWordsText(scene.digitalOut, scene.digitalIn, style.lowerCaseDigitalWords));
    // An arbitrary wave's period is its table, whatever buffer the device plays it from.
    const WaveParams& params = scene.params;
    DrawTextAt(
        painter, plot.left + kTextIndent, row,
        params.waveType == Arbitrary
            ? PointsPerPeriodText(LimitPointCount(params.arbPointCount), 1, scene.pointsFormat)
            : PointsPerPeriodText(params.pointCount, params.periodCount, scene.pointsFormat));
}

int ClippedNoticeLeft(const QPainter& painter, const PlotBox& plot, const WaveScene& scene) {
    return plot.right - 10 - painter.fontMetrics().horizontalAdvance(scene.clippedLabel);
}

// Whether the clipped notice reaches up into the file name's row (a large font).
bool ClippedNoticeBesideName(const QPainter& painter) {
    return painter.fontMetrics().height() > kClippedFromTop - kTextIndent;
}

void PaintClippedNotice(QPainter& painter, const PlotBox& plot, const WaveScene& scene,
                        const WaveStyle& style) {
    painter.setPen(style.warning);
    DrawTextAt(painter, ClippedNoticeLeft(painter, plot, scene), plot.top + kClippedFromTop,
               scene.clippedLabel);
}

void PaintStandard(QPainter& painter, const PlotBox& plot, const WaveScene& scene,
                   const WaveStyle& style) {
    PlotBox curve = plot;
    curve.left += style.curveInset;
    curve.right -= style.curveInset;
    if (curve.Empty()) {
        return;
    }
    if (style.graticule) {
        PaintGraticule(painter, curve, style);
    }
    const CurveExtent extent = PaintStandardCurve(painter, curve, scene.params, style);
    if (style.markers) {
        PaintStandardMarkers(painter, curve, extent, scene.params.waveNumber, style);
        PaintAmplitudeText(painter, plot, scene, style);
    }
}

// Returns the left edge of what it draws on the top row.
int PaintArbitrary(QPainter& painter, const PlotBox& plot, const WaveScene& scene,
                   const WaveStyle& style) {
    const ArbWindow window = WindowOf(scene);
    if (style.graticule) {
        PaintGraticule(painter, plot, style);
    }
    // The cross-hair lies under the curve, so it never hides a flat stretch of points.
    const std::optional<int> cursor = CursorPoint(scene, window, style);
    if (cursor) {
        PaintCrossHair(painter, plot, ArbPointAt(plot, scene, window, *cursor), style);
    }
    PaintArbitraryCurve(painter, plot, scene, window, style);
    int topRowLeft = PaintPositionBar(painter, plot, window, style);
    if (cursor) {
        topRowLeft = std::min(topRowLeft, PaintCursorReadout(painter, plot, scene, *cursor, style));
    }
    return topRowLeft;
}

}  // namespace

void PaintWaveField(QPainter& painter, const QRect& area, const WaveStyle& style) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintField(painter, area, style);
    painter.restore();
}

void PaintWave(QPainter& painter, const QRect& area, const WaveScene& scene,
               const WaveStyle& style) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PaintField(painter, area, style);

    const PlotBox plot = PlotBox::Inside(area, style.plotInset);
    if (!plot.Empty()) {
        // Nothing of the picture is drawn over the frame.
        painter.setClipRect(
            style.bevel ? area.adjusted(kBevelWidth, kBevelWidth, -kBevelWidth, -kBevelWidth)
                        : area,
            Qt::IntersectClip);
        const bool arbitrary = scene.params.waveType == Arbitrary;
        int nameEnd = plot.right - kTextIndent;
        if (arbitrary) {
            nameEnd = std::min(nameEnd, PaintArbitrary(painter, plot, scene, style) - kTextGap);
        } else {
            PaintStandard(painter, plot, scene, style);
        }
        if (scene.clipped && ClippedNoticeBesideName(painter)) {
            nameEnd = std::min(nameEnd, ClippedNoticeLeft(painter, plot, scene) - kTextGap);
        }
        if (arbitrary || style.statusForEveryWave) {
            PaintStatusTexts(painter, plot, scene, style, nameEnd);
        }
        if (scene.clipped) {
            PaintClippedNotice(painter, plot, scene, style);
        }
    }
    painter.restore();
}

}  // namespace korvane
