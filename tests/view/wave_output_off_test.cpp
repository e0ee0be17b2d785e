// With Wave ON/OFF off the display shows the flat output the device gets, not the set wave.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "image_probe.h"
#include "view/wave_display.h"

namespace korvane::test {
namespace {

struct OutputOffPicture : ::testing::TestWithParam<int> {
    SimulatedDeviceLibrary library{0};
    ChannelState channel{library};
    WaveDisplay display;

    OutputOffPicture() {
        display.resize(500, 320);
        display.SetChannel(&channel);
        channel.SetWaveType(GetParam());
        if (GetParam() == Arbitrary) {
            channel.arbPointCount = 500;
            for (int i = 0; i < 500; ++i) {
                channel.arbPoints[static_cast<std::size_t>(i)] = (i / 50) % 2 == 0 ? 2.5f : -2.5f;
            }
            channel.SetArbView(0.0f);
        }
    }

    // Pixels of the curve's colour well above or below the 0 V row, away from the status texts
    // and the position bar at the plot's top and bottom.
    int CurvePixelsOffTheZeroRow() {
        const QImage image = Grab(display);
        const QRect plot = display.PlotRect();
        const int zeroRow = plot.top() + plot.height() / 2;
        const QRect above(plot.left(), plot.top() + 45, plot.width(),
                          zeroRow - 4 - plot.top() - 45);
        const QRect below(plot.left(), zeroRow + 4, plot.width(), plot.bottom() - 30 - zeroRow - 4);
        return CountColour(image, above, display.CurveColor()) +
               CountColour(image, below, display.CurveColor());
    }
    int CurvePixelsOnTheZeroRow() {
        const QImage image = Grab(display);
        const QRect plot = display.PlotRect();
        const int zeroRow = plot.top() + plot.height() / 2;
        return CountColour(image, QRect(plot.left(), zeroRow - 2, plot.width(), 5),
                           display.CurveColor());
    }
};

TEST_P(OutputOffPicture, TheFlatOutputIsDrawnAndTheSetWaveOnlyDimmed) {
    channel.SetOutputOn(1);
    ASSERT_GT(CurvePixelsOffTheZeroRow(), 100) << "the wave is drawn while the output is on";

    channel.SetOutputOn(0);
    EXPECT_EQ(CurvePixelsOffTheZeroRow(), 0) << "the set wave is drawn as if it were played";
    // The flat line runs across the plot at 0 V (an offset is not played either).
    EXPECT_GT(CurvePixelsOnTheZeroRow(), display.PlotRect().width() / 2);
}

TEST_P(OutputOffPicture, AnOffsetIsNotPlayedWhileTheOutputIsOff) {
    channel.SetOffset(3.0);
    channel.SetOutputOn(0);
    EXPECT_EQ(CurvePixelsOffTheZeroRow(), 0);
    EXPECT_GT(CurvePixelsOnTheZeroRow(), display.PlotRect().width() / 2);
}

std::string WaveTypeName(const ::testing::TestParamInfo<int>& info) {
    switch (info.param) {
        case Sine:
            return "Sine";
        case Square:
            return "Square";
        case Trapezia:
            return "Trapezia";
        default:
            return "Arbitrary";
    }
}

INSTANTIATE_TEST_SUITE_P(WaveTypes, OutputOffPicture,
                         ::testing::Values(Sine, Square, Trapezia, Arbitrary), WaveTypeName);

}  // namespace
}  // namespace korvane::test
