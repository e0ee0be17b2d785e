#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/wave_resample.h"

namespace korvane {

// Where and why an expression failed. `position` counts characters from 0 and lies within the
// expression (at its end for one cut short); -1 when no place is at fault.
struct EquationError {
    int position = -1;
    std::string message;
};

// An expression in t (0 <= t < 1 over one period), i (the point index from 0) and n (the point
// count), with the usual functions (sin, cos, exp, sqrt, abs, min, max, floor, ceil, mod, ...),
// the constants pi and e, and the operators + - * / ^ and comparisons with ?: choices. Compiled
// once, evaluated for any point count.
class WaveEquation {
  public:
    WaveEquation();
    ~WaveEquation();
    WaveEquation(const WaveEquation&) = delete;
    WaveEquation& operator=(const WaveEquation&) = delete;

    // Compiles `expression`; on a syntax error returns false and keeps nothing of it.
    bool SetExpression(const std::string& expression, EquationError& error);

    // One period of `pointCount` (1..4096) values, unclipped. A point without a value (the
    // square root of a negative number, 0/0) fails them all, naming the point.
    bool EvaluateValues(int pointCount, std::vector<double>& values, EquationError& error);
    // EvaluateValues, clipped to ±3.5 V into `table`.
    bool Evaluate(int pointCount, FittedWave& table, EquationError& error);

  private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
    bool compiled_ = false;
};

}  // namespace korvane
