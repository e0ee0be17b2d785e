#include "view/wave_scene.h"

#include <Qt>

namespace korvane {

namespace {
const QColor kMarkerColour(0, 255, 255);
const QColor kWarningColour(255, 64, 64);
}  // namespace

WaveStyle ScreenWaveStyle(const WaveColours& colours) {
    WaveStyle style;
    style.field = colours.background;
    style.curve = colours.curve;
    style.grid = colours.xyLine;
    style.cursor = colours.cursor;
    style.marker = kMarkerColour;
    style.text = colours.curve;
    style.warning = kWarningColour;
    style.plotInset = kScreenPlotInset;
    style.curveInset = 50;
    style.bevel = true;
    style.graticule = true;
    style.markers = true;
    return style;
}

WaveStyle PrintWaveStyle() {
    WaveStyle style;
    style.field = Qt::white;
    style.curve = style.grid = style.cursor = style.marker = style.text = style.warning = Qt::black;
    style.statusForEveryWave = true;
    style.lowerCaseDigitalWords = true;
    style.cursorWithinTable = true;
    return style;
}

}  // namespace korvane
