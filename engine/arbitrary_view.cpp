#include <algorithm>

#include "engine/channel_state.h"

// The window of the arbitrary table the display shows: which points, at what scale.

namespace korvane {

int ChannelState::SetArbView(float position) {
    const int n = LimitPointCount(arbPointCount);
    int span = n / (arbZoom + 1);
    if (span < 200) {
        arbZoom = 0;
        span = n;
        arbViewPosition = 0.0f;
    } else {
        arbViewPosition = position;
    }
    float s = static_cast<float>(n) * arbViewPosition;
    if (static_cast<float>(span) + s >= static_cast<float>(n)) {
        arbViewLast = n - 1;
        arbViewFirst = n - span;
    } else {
        int first = static_cast<int>(s);
        int last = first + span;
        arbViewFirst = first;
        arbViewLast = last >= n ? n - 1 : last;
    }
    return arbViewFirst;
}

float ChannelState::ArbViewScale(float width) {
    // A one-point window has no width to divide by; it is then drawn as one span.
    int points = std::max(1, arbViewLast - arbViewFirst);
    arbViewScale = width / static_cast<float>(points);
    return arbViewScale;
}

}  // namespace korvane
