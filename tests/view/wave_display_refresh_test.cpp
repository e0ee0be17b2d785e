#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <functional>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "view/wave_display.h"

namespace korvane {
namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

struct ShownDisplay : ::testing::Test {
    SimulatedDeviceLibrary library{0};
    ChannelState channel{library};
    WaveDisplay display;
    PaintCounter counter;
    ShownDisplay() {
        display.resize(400, 300);
        display.SetChannel(&channel);
        display.installEventFilter(&counter);
        display.show();
        Settle();
    }
    // Lets pending repaints happen; returns how many there were.
    int Settle() {
        counter.paints = 0;
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
        return counter.paints;
    }
};

TEST_F(ShownDisplay, UnchangedWaveIsNotRepainted) {
    display.Refresh();
    display.SetFileName(display.FileName());
    EXPECT_EQ(Settle(), 0);
}

TEST_F(ShownDisplay, EveryChangeOfThePictureRepaints) {
    const std::function<void()> changes[] = {
        [&] { channel.amplitude = 1.0f; },
        [&] { channel.SetWaveType(Square); },
        [&] { channel.squareDuty = 0.2f; },
        [&] { channel.digitalIn = 0x24; },
        [&] { channel.SetWaveNumber(5); },
        [&] {
            channel.SetWaveType(Arbitrary);
            channel.arbPoints[10] = 2.0f;
        },
        [&] { channel.arbPoints[11] = -1.0f; },
    };
    int n = 0;
    for (const auto& change : changes) {
        change();
        display.Refresh();
        EXPECT_GE(Settle(), 1) << "change " << n;
        display.Refresh();
        EXPECT_EQ(Settle(), 0) << "after change " << n;
        ++n;
    }
}

TEST_F(ShownDisplay, NoiseIsRepaintedOnEveryRefresh) {
    channel.SetWaveType(WhiteNoise);
    for (int i = 0; i < 3; ++i) {
        display.Refresh();
        EXPECT_GE(Settle(), 1);
    }
}

}  // namespace
}  // namespace korvane
