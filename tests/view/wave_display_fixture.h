#pragma once

#include <gtest/gtest.h>

#include <QColor>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "view/wave_display.h"

namespace korvane::test {

inline const QColor kField(30, 0, 50);
inline const QColor kCurve(255, 255, 0);
inline const QColor kCursor(6, 255, 255);
inline const QColor kMarker(0, 255, 255);

// A 600 x 300 display: plot (10, 10)..(590, 290), mid row 150, half height 140; a standard
// wave's curve spans columns 60..539.
class WaveDisplayTest : public ::testing::Test {
  protected:
    WaveDisplayTest() : library(0), channel(library) {
        display.SetChannel(&channel);
        display.resize(600, 300);
    }

    // Arbitrary table of `count` points at -3.5 V with points [high, high + 20] at +3.5 V,
    // shown through a window of zoom 2 at `position`.
    void ShowArbitrary(int count, float position, int high = 400) {
        channel.waveType = Arbitrary;
        channel.arbPointCount = count;
        for (int i = 0; i < count; ++i) {
            channel.arbPoints[i] = i >= high && i <= high + 20 ? 3.5f : -3.5f;
        }
        channel.arbZoom = 2;
        channel.SetArbView(position);
    }

    SimulatedDeviceLibrary library;
    ChannelState channel;
    WaveDisplay display;
};

}  // namespace korvane::test
