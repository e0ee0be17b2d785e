#include "view/measurement_text.h"

#include <cstdio>

namespace korvane {

std::string FrequencyReadoutText(double hertz) {
    char text[64];
    if (hertz < 1000.0) {
        std::snprintf(text, sizeof text, "%.02f Hz", hertz);
    } else if (hertz >= 1000000.0) {
        std::snprintf(text, sizeof text, "%.02f MHz", hertz * 1e-6);
    } else {
        std::snprintf(text, sizeof text, "%.02f KHz", hertz * 0.001);
    }
    return text;
}

std::string MeasurementText(int measureFrequency, int counterValue, double measuredFrequency) {
    if (measureFrequency != 0) {
        return FrequencyReadoutText(measuredFrequency);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%11.11u", static_cast<unsigned>(counterValue));
    return text;
}

}  // namespace korvane
