#include "engine/synthesis.h"

namespace korvane {

int ClockDivider(double frequency) {
    double d = kMasterClockHz / frequency * 0.000244140625 + 0.999755859375;
    // Below 1 Hz (or for 0 / NaN) the divider would leave the int range: keep the slowest clock.
    if (!(d < 2147483647.0)) {
        return 2147483647;
    }
    return static_cast<int>(d);
}

}  // namespace korvane
