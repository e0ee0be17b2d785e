#pragma once

#include "engine/point_table.h"

namespace korvane {

// Tools that turn one period of arbitrary points into another. Each takes the table and returns
// the new one of the same length; the table is one period of a repeating wave, so the smoothing
// and the shift wrap around its end.

// The moving average over `width` neighbouring points (limited to 1 .. the table's length),
// centred on each point; an even width reaches one point further ahead than back.
PointTable SmoothPoints(const PointTable& points, int width);

// Scaled so the largest magnitude becomes `peak` volts; a table of zeros stays as it is.
PointTable NormalisePoints(const PointTable& points, double peak);

// Every point's sign turned over.
PointTable InvertPoints(const PointTable& points);

// The points in the opposite order: the period played backwards.
PointTable ReversePoints(const PointTable& points);

// Moved `by` points later in the period (negative: earlier); the points pushed past the end come
// in again at the start.
PointTable ShiftPoints(const PointTable& points, int by);

}  // namespace korvane
