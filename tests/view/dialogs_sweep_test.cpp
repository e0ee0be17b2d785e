// The Sweep dialog stepping a simulated generator's clock divider.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string_view>
#include <vector>

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/poll_coordinator.h"
#include "view/controls/led.h"
#include "view/controls/turn_button.h"
#include "view/sweep_dialog.h"

namespace korvane {
namespace {

class SweepDialogTest : public ::testing::Test {
  protected:
    explicit SweepDialogTest(bool real = true) : library(1), channel(library, coordinator) {
        if (real) {
            channel.demo = 0;
            channel.deviceIndex = 0;
        }
    }

    std::vector<int> SentDividers() const {
        std::vector<int> dividers;
        for (const auto& call : library.CallLog()) {
            if (call.name == "DDSSetDivNum") {
                dividers.push_back(static_cast<int>(call.value));
            }
        }
        return dividers;
    }

    static void Retype(QLineEdit& field, const QString& text) {
        field.selectAll();
        QTest::keyClicks(&field, text);
    }

    static void Turn(CTurnButton& knob, double angle) {
        knob.SetValue(angle);
        emit knob.MouseMove(1, 0, 0, 0);
    }

    SimulatedDeviceLibrary library;
    PollCoordinator coordinator;
    ChannelState channel;
};

TEST_F(SweepDialogTest, StepsTheDividerFromStartTowardsEnd) {
    SweepDialog dialog(channel);
    dialog.show();
    library.ClearCallLog();
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    EXPECT_EQ(channel.sweepOn, 1);
    EXPECT_EQ(channel.sweepStartDivider, 49);
    EXPECT_EQ(channel.sweepEndDivider, 2);
    EXPECT_TRUE(dialog.StepTimer().isActive());
    EXPECT_EQ(dialog.StepTimer().interval(), 100);
    EXPECT_TRUE(dialog.Lamp().Value());
    EXPECT_EQ(dialog.OnButton().text(), QStringLiteral("OFF"));
    EXPECT_FALSE(dialog.StartField().isEnabled());

    // The dialog's timer only shows the point count; the channel's session makes the steps.
    for (int tick = 0; tick < 3; ++tick) {
        dialog.TimerTick();
    }
    EXPECT_TRUE(library.CallLog().empty()) << "the dialog called the device on the GUI thread";
    for (int step = 0; step < 49; ++step) {
        channel.SweepStep();
    }
    std::vector<int> expected;
    for (int d = 48; d >= 2; --d) {
        expected.push_back(d);
    }
    expected.push_back(49);
    expected.push_back(48);
    EXPECT_EQ(SentDividers(), expected);
}

// The faults: the dialog gave no sign of the frequency being generated, and an end below the
// start was raised to it, so the sweep stood still.
TEST_F(SweepDialogTest, ADownwardSweepShowsTheFallingFrequency) {
    channel.pointCount = 4096;
    channel.periodCount = 1;
    SweepDialog dialog(channel);
    dialog.show();
    Retype(dialog.StartField(), QStringLiteral("20000"));
    Retype(dialog.EndField(), QStringLiteral("2000"));
    EXPECT_TRUE(dialog.GeneratedFrequency().text().isEmpty());
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(channel.sweepEndFrequency, 2000.0);
    EXPECT_EQ(dialog.GeneratedFrequency().text(), QStringLiteral("16.28 KHz"));  // divider 3

    std::vector<double> shown;
    for (int step = 0; step < 20; ++step) {
        channel.SweepStep();  // as the channel's session does every period
        dialog.TimerTick();
        const QString text = dialog.GeneratedFrequency().text();
        ASSERT_TRUE(text.endsWith(QStringLiteral(" KHz"))) << text.toStdString();
        shown.push_back(text.chopped(4).toDouble());
    }
    for (std::size_t i = 1; i < shown.size(); ++i) {
        EXPECT_LT(shown[i], shown[i - 1]) << i;
    }
    const std::vector<int> sent = SentDividers();
    ASSERT_EQ(sent.size(), 20u);
    EXPECT_EQ(sent.front(), 4);
    EXPECT_EQ(sent.back(), 23);

    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.GeneratedFrequency().text().isEmpty());
}

TEST_F(SweepDialogTest, OffStopsTheTimerAndBringsTheClockBack) {
    SweepDialog dialog(channel);
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    while (channel.PopCommand() != 0) {
    }
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    EXPECT_EQ(channel.sweepOn, 0);
    EXPECT_FALSE(dialog.StepTimer().isActive());
    EXPECT_FALSE(dialog.Lamp().Value());
    EXPECT_EQ(dialog.OnButton().text(), QStringLiteral("ON"));
    EXPECT_TRUE(dialog.StartField().isEnabled());
    EXPECT_EQ(channel.QueuedCommands(), std::vector<int>{Download});
}

TEST_F(SweepDialogTest, WorkersArePausedWhileTheDialogIsOpen) {
    {
        SweepDialog dialog(channel);
        dialog.show();
        EXPECT_TRUE(coordinator.Paused());
        dialog.close();
        EXPECT_FALSE(coordinator.Paused());
    }
    EXPECT_FALSE(coordinator.Paused());
}

TEST_F(SweepDialogTest, ClosingWhileSweepingSwitchesTheSweepOff) {
    SweepDialog dialog(channel);
    dialog.show();
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    ASSERT_EQ(channel.sweepOn, 1);
    dialog.close();
    EXPECT_EQ(channel.sweepOn, 0);
    EXPECT_FALSE(dialog.StepTimer().isActive());
    // The channel's worker answers again.
    library.ClearCallLog();
    channel.Poll();
    EXPECT_FALSE(library.CallLog().empty());
}

TEST_F(SweepDialogTest, TypedTextsAreLimitedAndTakenOverOnOn) {
    SweepDialog dialog(channel);
    dialog.show();
    Retype(dialog.StartField(), QStringLiteral("2000000"));
    EXPECT_EQ(dialog.StartField().text(), QStringLiteral("1000000"));
    Retype(dialog.SpeedField(), QStringLiteral("4000000"));
    EXPECT_EQ(dialog.SpeedField().text(), QStringLiteral("3600000"));
    EXPECT_EQ(channel.sweepSpeed, 100);  // nothing changes before ON
    Retype(dialog.SpeedField(), QStringLiteral("250"));
    Retype(dialog.StartField(), QStringLiteral("5000"));
    Retype(dialog.EndField(), QStringLiteral("3000"));
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(channel.sweepStartFrequency, 5000.0);
    EXPECT_DOUBLE_EQ(channel.sweepEndFrequency, 3000.0);  // an end below the start sweeps down
    EXPECT_EQ(dialog.EndField().text(), QStringLiteral("3000"));
    EXPECT_EQ(channel.sweepSpeed, 250);
    EXPECT_EQ(dialog.StepTimer().interval(), 250);
}

TEST_F(SweepDialogTest, StartEqualToEndSendsTheStartDividerEveryStep) {
    channel.sweepStartFrequency = 20000.0;
    channel.sweepEndFrequency = 20000.0;
    SweepDialog dialog(channel);
    library.ClearCallLog();
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    for (int step = 0; step < 3; ++step) {
        channel.SweepStep();  // as the channel's session does every period
    }
    const int s = channel.sweepStartDivider;
    EXPECT_EQ(SentDividers(), (std::vector<int>{s, s, s}));
}

TEST_F(SweepDialogTest, KnobsFollowTheWrapRuleAndTheirLimits) {
    SweepDialog dialog(channel);
    Turn(dialog.StartKnob(), 1.0);
    EXPECT_DOUBLE_EQ(channel.sweepStartFrequency, 1159.0);
    EXPECT_EQ(dialog.StartField().text(), QStringLiteral("1159"));
    Turn(dialog.StartKnob(), 6.0);  // passing zero backwards: -1.28 rad
    EXPECT_DOUBLE_EQ(channel.sweepStartFrequency, 956.0);

    channel.sweepEndFrequency = 1000.0;
    Turn(dialog.StartKnob(), 0.5);  // forward over zero: +0.78 rad, also above the end
    EXPECT_DOUBLE_EQ(channel.sweepStartFrequency, 1080.0);

    Turn(dialog.SpeedKnob(), 5.0);  // backwards: the speed stops at 10 ms
    EXPECT_EQ(channel.sweepSpeed, 10);
    EXPECT_EQ(dialog.SpeedField().text(), QStringLiteral("10"));

    Turn(dialog.EndKnob(), 3.0);
    EXPECT_NEAR(channel.sweepEndFrequency, 1000.0 + 3.0 * 159.2356687898089, 1e-9);
}

TEST_F(SweepDialogTest, KnobsAreIgnoredWhileSweeping) {
    SweepDialog dialog(channel);
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    Turn(dialog.StartKnob(), 2.0);
    EXPECT_DOUBLE_EQ(channel.sweepStartFrequency, 1000.0);
}

TEST_F(SweepDialogTest, TheStartKnobNeverGoesBelowOneHertz) {
    channel.sweepStartFrequency = 100.0;
    SweepDialog dialog(channel);
    Turn(dialog.StartKnob(), 5.0);  // -1.28 rad: -203 Hz
    EXPECT_DOUBLE_EQ(channel.sweepStartFrequency, 1.0);
}

// The fault: switching a sweep off sent only the frequency (and the download), so a device that
// lost its settings meanwhile kept no trigger, single wave or DIO mode.
TEST_F(SweepDialogTest, TheCycleAfterOffSendsTheWholeConfiguration) {
    for (const int waveType : {Sine, Arbitrary}) {
        channel.waveType = waveType;
        channel.extTrigger = 1;
        channel.singleWave = 1;
        channel.dioMode = 1;
        SweepDialog dialog(channel);
        QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
        channel.SweepStep();
        QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
        library.ClearCallLog();
        channel.Poll();
        std::vector<std::string_view> sent;
        for (const auto& call : library.CallLog()) {
            if (call.name != "DDSGetMeasure") {
                sent.push_back(call.name);
            }
        }
        const std::vector<std::string_view> expected = {
            "DDSCheck",         "DDSSetFrequency",  "DDSSetTrigger",
            "DDSSetDIOMode",    "DDSSetSingleWave", "DDSSetFrequency",
            "DDSSetDigitalOut", "DDSGetDigitalIn",  "DDSDownload"};
        EXPECT_EQ(sent, expected) << waveType;
        const SimulatedDeviceLibrary::DeviceState device = library.Device(0);
        EXPECT_EQ(device.externalTrigger, 1) << waveType;
        EXPECT_EQ(device.singleWave, 1) << waveType;
        EXPECT_EQ(device.dioMode, 1) << waveType;
        EXPECT_EQ(device.divider, ClockDivider(channel.frequency)) << waveType;
        EXPECT_TRUE(channel.QueuedCommands().empty()) << waveType;
    }
}

// A device that plays no higher than an audio card does.
class AudioRangeLibrary : public SimulatedDeviceLibrary {
  public:
    AudioRangeLibrary() : SimulatedDeviceLibrary(1) {}
    double MaxFrequency(int device) const override {
        return device >= 0 ? 23999.0 : SimulatedDeviceLibrary::MaxFrequency(device);
    }
};

TEST(SweepRules, TypedLimits) {
    SimulatedDeviceLibrary generator(1);
    ChannelState channel(generator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    EXPECT_DOUBLE_EQ(LimitSweepFrequency(channel, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(LimitSweepFrequency(channel, 2e6), 1e6);
    EXPECT_DOUBLE_EQ(LimitSweepFrequency(channel, 1234.0), 1234.0);
    AudioRangeLibrary soundCard;
    ChannelState audio(soundCard);
    audio.demo = 0;
    audio.deviceIndex = 0;
    EXPECT_DOUBLE_EQ(LimitSweepFrequency(audio, 2e6), 23999.0);
    EXPECT_DOUBLE_EQ(LimitSweepSpeed(0.0), 1.0);
    EXPECT_DOUBLE_EQ(LimitSweepSpeed(4e6), 3.6e6);
    EXPECT_DOUBLE_EQ(LimitSweepSpeed(3.6e6), 3.6e6);
}

class DemoSweepTest : public SweepDialogTest {
  protected:
    DemoSweepTest() : SweepDialogTest(false) {}
};

TEST_F(DemoSweepTest, RunsItsTimerButNeverCallsTheLibrary) {
    SweepDialog dialog(channel);
    library.ClearCallLog();
    QTest::mouseClick(&dialog.OnButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.StepTimer().isActive());
    for (int tick = 0; tick < 5; ++tick) {
        dialog.TimerTick();
    }
    EXPECT_TRUE(library.CallLog().empty());
}

}  // namespace
}  // namespace korvane
