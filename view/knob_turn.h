#pragma once

namespace korvane {

// Turns the angle of a panel knob into whole steps of its entry field. The knob's angle jumps
// back across 0 when its pointer passes the top; a jump of half a turn or more is taken as that
// crossing, so a small turn over the top stays a small turn.
class KnobTurn {
  public:
    static constexpr double kFullTurn = 6.28;
    static constexpr double kHalfTurn = 3.14;
    // 100 steps per half turn.
    static constexpr double kStepsPerRadian = 31.84713375796178;

    // The steps from the last angle to `angle`; `angle` becomes the last angle.
    int Turn(double angle);
    double LastAngle() const { return last_; }

  private:
    double last_ = 0.0;
};

}  // namespace korvane
