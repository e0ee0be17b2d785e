#include "engine/noise.h"

namespace korvane {

NoiseSource& ThreadNoise() {
    thread_local NoiseSource noise;
    return noise;
}

}  // namespace korvane
