#pragma once

#include <QRect>

#include "view/wave_scene.h"

class QPainter;

namespace korvane {

// Paints the whole waveform picture of `scene` into `area`, in layers: field and frame,
// graticule, curve, markers, texts. Uses the painter's current font for the texts.
void PaintWave(QPainter& painter, const QRect& area, const WaveScene& scene,
               const WaveStyle& style);

// Only the field (and frame) of the picture: what shows while there is nothing to draw.
void PaintWaveField(QPainter& painter, const QRect& area, const WaveStyle& style);

}  // namespace korvane
