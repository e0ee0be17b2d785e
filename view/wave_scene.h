#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

#include "engine/synthesis.h"

namespace korvane {

// The on-screen plot area lies this far inside the display.
inline constexpr int kScreenPlotInset = 10;

// The four colours of the on-screen waveform display, set from the Display menu.
struct WaveColours {
    QColor background{30, 0, 50};
    QColor curve{255, 255, 0};
    QColor xyLine{100, 100, 100};
    QColor cursor{6, 255, 255};
};

// How one rendering of the waveform looks: the screen picture or the black-on-white report.
struct WaveStyle {
    QColor field;
    QColor curve;
    QColor grid;
    QColor cursor;
    QColor marker;       // period and amplitude markers and their text
    QColor text;         // file name, cursor readout and status lines
    QColor warning;      // the clipped-output notice
    int plotInset = 0;   // plot area inside the drawing rectangle
    int curveInset = 0;  // extra horizontal inset of a standard wave's curve
    bool bevel = false;
    bool graticule = false;
    bool markers = false;             // period/amplitude markers and the "Amp = ..." line
    bool statusForEveryWave = false;  // file name, digital words, points per period
    bool lowerCaseDigitalWords = false;
    bool cursorWithinTable = false;  // limit the cursor index to the table first
};

WaveStyle ScreenWaveStyle(const WaveColours& colours);
WaveStyle PrintWaveStyle();

// Everything one picture reads, taken from the channel when drawing starts.
struct WaveScene {
    WaveParams params;
    int viewFirst = 0;  // display window on the arbitrary points, inside the table
    int viewLast = 0;
    float arbScale = 0.0f;  // pixels per point of the window
    int cursorIndex = 0;
    std::uint16_t digitalOut = 0;
    std::uint16_t digitalIn = 0;
    QString fileName;
    QString cursorLabel;
    QString amplitudeFormat;  // checked templates of the "Amp = ..." and "... Points per Period"
                              // lines; empty: the program's own
    QString pointsFormat;
    bool clipped = false;  // the generator clips the wave at full scale
    QString clippedLabel;

    bool operator==(const WaveScene&) const = default;
};

}  // namespace korvane
