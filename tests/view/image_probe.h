#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

namespace korvane::test {

// The widget as it paints itself, as a plain 32-bit image in logical pixels.
inline QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// How many pixels inside `area` have exactly `colour`.
inline int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
        }
    }
    return count;
}

}  // namespace korvane::test
