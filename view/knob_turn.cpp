#include "view/knob_turn.h"

#include <cmath>

namespace korvane {

int KnobTurn::Turn(double angle) {
    if (!std::isfinite(angle)) {
        return 0;
    }
    if (angle > last_ && angle - last_ >= kHalfTurn) {
        last_ += kFullTurn;
    }
    if (angle < last_ && last_ - angle >= kHalfTurn) {
        last_ -= kFullTurn;
    }
    const int steps = static_cast<int>(std::trunc((angle - last_) * kStepsPerRadian));
    last_ = angle;
    return steps;
}

}  // namespace korvane
