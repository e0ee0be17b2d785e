#include "view/measurement_text.h"

#include <cstdio>

namespace korvane {

std::string MeasurementText(int measureFrequency, int counterValue, double measuredFrequency) {
    char text[64];
    if (measureFrequency == 0) {
        std::snprintf(text, sizeof text, "%11.11u", static_cast<unsigned>(counterValue));
    } else if (measuredFrequency < 1000.0) {
        std::snprintf(text, sizeof text, "%.02f Hz", measuredFrequency);
    } else if (measuredFrequency >= 1000000.0) {
        std::snprintf(text, sizeof text, "%.02f MHz", measuredFrequency * 1e-6);
    } else {
        std::snprintf(text, sizeof text, "%.02f KHz", measuredFrequency * 0.001);
    }
    return text;
}

}  // namespace korvane
