#pragma once

#include <QColor>

namespace korvane {

// The colours of the front-panel controls, kept in one place so the paint code names roles,
// not numbers.
struct PanelPalette {
    QColor shadow;      // soft drop shadow under raised parts
    QColor outline;     // dark edge around every part
    QColor metalLight;  // brushed-metal highlight
    QColor metalMid;    // brushed-metal body
    QColor metalDark;   // brushed-metal shade
    QColor skirt;       // knob skirt and key bezel
    QColor pointer;     // knob pointer line
    QColor tick;        // scale ticks around the knob
    QColor slot;        // recess of the slide switch
    QColor ledOn;       // lit lamp
    QColor ledHot;      // centre of the lit lamp
    QColor ledOff;      // dark lamp
    QColor highlight;   // specular reflection
    QColor keyLit;      // indicator stripe of a pressed key
};

const PanelPalette& DefaultPanelPalette();

}  // namespace korvane
