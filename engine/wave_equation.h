#pragma once

#include <memory>
#include <string>
#include <vector>

namespace korvane {

// Where and why an expression failed. `position` counts characters from 0 and lies within the
// expression (at its end for one cut short); -1 when no place is at fault.
struct EquationError {
    int position = -1;
    std::string message;
};

struct EquationTable {
    std::vector<float> points;  // within ±3.5 V
    int clippedCount = 0;       // points whose value lay outside ±3.5 V
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

    // One period of `pointCount` (1..4096) points into `table`. A point without a value (the
    // square root of a negative number, 0/0) fails the whole table, naming the point.
    bool Evaluate(int pointCount, EquationTable& table, EquationError& error);

  private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
    bool compiled_ = false;
};

}  // namespace korvane
