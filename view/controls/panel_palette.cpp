#include "view/controls/panel_palette.h"

namespace korvane {

const PanelPalette& DefaultPanelPalette() {
    static const PanelPalette palette{
        .shadow = QColor(0, 0, 0, 90),
        .outline = QColor(40, 42, 46),
        .metalLight = QColor(236, 238, 241),
        .metalMid = QColor(178, 182, 188),
        .metalDark = QColor(112, 116, 124),
        .skirt = QColor(58, 61, 66),
        .pointer = QColor(214, 40, 32),
        .tick = QColor(45, 47, 52),
        .slot = QColor(30, 31, 34),
        .ledOn = QColor(40, 230, 70),
        .ledHot = QColor(215, 255, 220),
        .ledOff = QColor(28, 70, 36),
        .highlight = QColor(255, 255, 255, 170),
        .keyLit = QColor(255, 170, 40),
    };
    return palette;
}

}  // namespace korvane
