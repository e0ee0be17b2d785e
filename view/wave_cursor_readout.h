#pragma once

#include <QString>

namespace korvane {

// What the two measuring cursors of the arbitrary display read: the time of each cursor's point
// within the period and its voltage.
struct CursorReading {
    double seconds = 0.0;
    double volts = 0.0;
};

// The time of point `index` of a `count`-point period played at `frequency` Hz; 0 when either
// is not positive.
double PointSeconds(int index, int count, double frequency);

// `value` with an SI prefix (n, µ, m, k, M) and three decimals, e.g. "1.250 ms"; "--" for a
// value that is not finite.
QString EngineeringText(double value, const QString& unit);

// The readout box (voltages in volts with three decimals): one line per cursor ("C1  t = 1.000 ms
// V = 0.500 V"), then "Δt = ...  ΔV = ...  1/Δt = ..." from cursor 1 to cursor 2; 1/Δt reads "--"
// while Δt is 0.
QString CursorLine(int number, const CursorReading& reading);
QString CursorDeltaLine(const CursorReading& first, const CursorReading& second);

}  // namespace korvane
