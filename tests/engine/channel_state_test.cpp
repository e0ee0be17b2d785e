#include <gtest/gtest.h>

#include <vector>

#include "engine/channel_state.h"
#include "recording_library.h"

namespace korvane {
namespace {

using testing::RecordingLibrary;
using Queue = std::vector<int>;

TEST(ChannelState, DefaultsAndInitialQueue) {
    RecordingLibrary library;
    ChannelState c(library);
    EXPECT_EQ(c.demo, 1);
    EXPECT_EQ(c.deviceIndex, -1);
    EXPECT_EQ(c.frequency, 1000.0);
    EXPECT_EQ(c.amplitude, 2.0f);
    EXPECT_EQ(c.offset, 0.0);
    EXPECT_EQ(c.waveType, Sine);
    EXPECT_EQ(c.pointCount, 1000);
    EXPECT_EQ(c.periodCount, 1);
    EXPECT_EQ(c.waveNumber, 3);
    EXPECT_EQ(c.outputOn, 1);
    EXPECT_EQ(c.measureOn, 1);
    EXPECT_EQ(c.measureFrequency, 1);
    EXPECT_EQ(c.powerOnOutput, 1);
    EXPECT_EQ(c.exponentUnit, 1);
    EXPECT_EQ(c.sweepStartFrequency, 1000.0);
    EXPECT_EQ(c.sweepEndFrequency, 100000.0);
    EXPECT_EQ(c.sweepSpeed, 100);
    EXPECT_EQ(c.squareDuty, 0.5f);
    EXPECT_EQ(c.trapeziaHigh, 0.4f);
    EXPECT_EQ(c.carrierFrequency, 10000);
    EXPECT_EQ(c.fmDeviation, 3000);
    EXPECT_EQ(c.arbPointCount, 1000);
    EXPECT_EQ(c.arbScrollRange, 250);
    EXPECT_EQ(c.arbViewLast, 999);
    EXPECT_EQ(c.arbPoints[4095], 0.0f);
    EXPECT_EQ(c.QueuedCommands(), (Queue{SetFrequency, SetTrigger, Download}));
}

TEST(CommandQueue, PopAndRequestDownloadDeduplication) {
    RecordingLibrary library;
    ChannelState c(library);
    c.demo = 0;
    EXPECT_EQ(c.PopCommand(), SetFrequency);
    EXPECT_EQ(c.PopCommand(), SetTrigger);
    EXPECT_EQ(c.PopCommand(), Download);
    EXPECT_EQ(c.PopCommand(), 0);

    c.RequestDownload();
    c.RequestDownload();
    EXPECT_EQ(c.QueuedCommands(), (Queue{Download}));

    c.PopCommand();
    c.PushCommand(SetFrequency);
    c.RequestDownload();
    c.RequestDownload();
    EXPECT_EQ(c.QueuedCommands(), (Queue{SetFrequency, Download, Download}));
}

// A Download waiting at the head goes out before a SetFrequency queued behind it, so that
// SetFrequency still gets a Download of its own; one after it is enough.
TEST(CommandQueue, AFrequencyQueuedBehindAWaitingDownloadGetsItsOwn) {
    RecordingLibrary library;
    ChannelState c(library);
    c.demo = 0;
    while (c.PopCommand() != 0) {
    }
    c.RequestDownload();
    c.SetFrequency(2500.0);
    EXPECT_EQ(c.QueuedCommands(), (Queue{Download, SetFrequency, Download}));
    c.RequestDownload();
    EXPECT_EQ(c.QueuedCommands(), (Queue{Download, SetFrequency, Download}));

    c.PushCommand(SetTrigger);
    c.PushCommand(SetFrequency);
    c.RequestDownload();
    EXPECT_EQ(c.QueuedCommands(),
              (Queue{Download, SetFrequency, Download, SetTrigger, SetFrequency, Download}));
}

// Typing a number changes the frequency once per key; a queued SetFrequency with a Download
// behind it reads the newest value when it runs, so further keys queue nothing.
TEST(CommandQueue, KeysTypedWhileAFrequencyChangeWaitsShareIt) {
    RecordingLibrary library;
    ChannelState c(library);
    c.demo = 0;
    while (c.PopCommand() != 0) {
    }
    for (double value : {3.0, 31.0, 310.0, 3100.0, 31000.0}) {
        c.SetFrequency(value);
    }
    EXPECT_EQ(c.QueuedCommands(), (Queue{SetFrequency, Download}));
    EXPECT_EQ(c.frequency, 31000.0);

    EXPECT_EQ(c.PopCommand(), SetFrequency);  // taken by the worker: the next key needs its own
    c.SetFrequency(5.0);
    c.SetFrequency(50.0);
    EXPECT_EQ(c.QueuedCommands(), (Queue{Download, SetFrequency, Download}));
}

TEST(ConfigureDevice, SendsTheConfigurationOnceAndQueuesOneDownload) {
    RecordingLibrary library;
    ChannelState c(library);
    c.demo = 0;
    c.deviceIndex = 0;
    c.SetFrequency(2000.0);  // as a settings file read before the configuration does
    c.SetOffset(1.0);
    c.SetExtTrigger(1);
    c.SetSingleWave(1);
    c.SetDioMode(1);
    c.ConfigureDevice();
    EXPECT_EQ(library.Calls(),
              (std::vector<std::string>{"DDSSetFrequency", "DDSSetTrigger", "DDSSetDIOMode",
                                        "DDSSetSingleWave", "DDSSetFrequency"}));
    EXPECT_EQ(c.QueuedCommands(), (Queue{Download}));
    c.RequestDownload();  // the panel's first refresh
    EXPECT_EQ(c.QueuedCommands(), (Queue{Download}));
}

struct SetterCase {
    const char* name;
    void (*apply)(ChannelState&);
    Queue real;  // what a real channel queues
    Queue demo;  // what a demo channel queues
};

TEST(Setters, QueueWhatTheDeviceNeeds) {
    const SetterCase cases[] = {
        {"SetFrequency",
         [](ChannelState& c) { c.SetFrequency(5.0); },
         {SetFrequency, Download},
         {}},
        {"SetOffset", [](ChannelState& c) { c.SetOffset(1.0); }, {Download}, {Download}},
        {"SetAmplitude", [](ChannelState& c) { c.SetAmplitude(1.0f); }, {}, {}},
        {"SetWaveType", [](ChannelState& c) { c.SetWaveType(Ramp); }, {Download}, {Download}},
        {"SetAttenuate20dB",
         [](ChannelState& c) { c.SetAttenuate20dB(1); },
         {Download},
         {Download}},
        {"SetOutputOn", [](ChannelState& c) { c.SetOutputOn(0); }, {}, {}},
        {"SetWaveNumber", [](ChannelState& c) { c.SetWaveNumber(5); }, {}, {}},
        {"SetSingleWave",
         [](ChannelState& c) { c.SetSingleWave(1); },
         {SetSingleWave, Download},
         {}},
        {"SetExtTrigger", [](ChannelState& c) { c.SetExtTrigger(1); }, {SetTrigger}, {}},
        {"SetTriggerEdge", [](ChannelState& c) { c.SetTriggerEdge(1); }, {SetTrigger}, {}},
        {"SetDioMode", [](ChannelState& c) { c.SetDioMode(1); }, {SetDioMode}, {}},
        {"SetPowerOnOutput",
         [](ChannelState& c) { c.SetPowerOnOutput(1, 0); },
         {SetPowerOnOutput},
         {}},
    };
    for (const SetterCase& sc : cases) {
        for (int demo : {0, 1}) {
            RecordingLibrary library;
            ChannelState c(library);
            c.demo = demo;
            while (c.PopCommand() != 0) {
            }
            sc.apply(c);
            EXPECT_EQ(c.QueuedCommands(), demo ? sc.demo : sc.real) << sc.name << " demo " << demo;
        }
    }
}

TEST(Setters, DemoQueueDoesNotGrowWithEveryChange) {
    RecordingLibrary library;
    ChannelState c(library);  // a demo channel: its queue is never consumed
    for (int i = 0; i < 1000; ++i) {
        c.SetOffset(i * 0.001);
        c.SetWaveType(i % kWaveTypeCount);
    }
    EXPECT_EQ(c.QueuedCommands(), (Queue{SetFrequency, SetTrigger, Download}));

    ChannelState real(library);
    real.demo = 0;
    real.SetOffset(1.0);
    real.SetOffset(2.0);
    EXPECT_EQ(real.QueuedCommands(),
              (Queue{SetFrequency, SetTrigger, Download, Download, Download}));
}

TEST(Setters, FieldsAreStoredEvenForDemoChannels) {
    RecordingLibrary library;
    ChannelState c(library);
    c.SetFrequency(1234.0);
    c.SetDioMode(1);
    c.SetTriggerEdge(1);
    EXPECT_EQ(c.frequency, 1234.0);
    EXPECT_EQ(c.dioMode, 1);
    EXPECT_EQ(c.triggerEdge, 1);
}

TEST(Setters, PowerOnOutputOnDemoIsRefused) {
    RecordingLibrary library;
    ChannelState c(library);
    EXPECT_EQ(c.SetPowerOnOutput(1, 0), 0);
    EXPECT_EQ(c.powerOnOutput, 1);
    c.demo = 0;
    EXPECT_EQ(c.SetPowerOnOutput(0, 0), 1);
    EXPECT_EQ(c.powerOnOutput, 0);
}

TEST(Setters, SwitchingToTheCounterResetsIt) {
    RecordingLibrary library;
    ChannelState c(library);
    c.SetMeasureFrequency(0);
    EXPECT_EQ(c.resetCounterPending, 1);

    ChannelState off(library);
    off.SetMeasureOn(0);
    off.SetMeasureFrequency(0);
    EXPECT_EQ(off.resetCounterPending, 0);
    off.SetMeasureOn(1);
    EXPECT_EQ(off.resetCounterPending, 1);
}

TEST(ArbView, WindowRules) {
    RecordingLibrary library;
    ChannelState c(library);
    struct Case {
        int points, zoom;
        float position;
        int first, last, zoomAfter;
    } cases[] = {
        {300, 1, 0.5f, 0, 299, 0},   // span 150 < 200: zoom reset, all points
        {1000, 1, 0.0f, 0, 500, 1},  // span 500 from the start
        {1000, 1, 0.25f, 250, 750, 1},
        {1000, 1, 0.6f, 500, 999, 1},  // runs past the end: the last span
        {1000, 4, 0.8f, 800, 999, 4},
        {0, 3, 0.5f, 0, 0, 0},  // an empty table is treated as one point
    };
    for (const Case& k : cases) {
        c.arbPointCount = k.points;
        c.arbZoom = k.zoom;
        EXPECT_EQ(c.SetArbView(k.position), k.first) << k.points << "/" << k.zoom;
        EXPECT_EQ(c.arbViewFirst, k.first);
        EXPECT_EQ(c.arbViewLast, k.last);
        EXPECT_EQ(c.arbZoom, k.zoomAfter);
    }
}

TEST(ArbView, ScaleIsPixelsPerPoint) {
    RecordingLibrary library;
    ChannelState c(library);
    c.arbViewFirst = 0;
    c.arbViewLast = 999;
    EXPECT_FLOAT_EQ(c.ArbViewScale(999.0f), 1.0f);
    EXPECT_FLOAT_EQ(c.arbViewScale, 1.0f);
    c.arbViewLast = 0;
    EXPECT_FLOAT_EQ(c.ArbViewScale(500.0f), 500.0f);  // no division by zero
}

TEST(Sweep, PrepareAndStepThroughTheDividers) {
    RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState c(library, coordinator);
    c.demo = 0;
    EXPECT_EQ(c.PrepareSweep(), 1);
    EXPECT_EQ(c.sweepStartDivider, 49);
    EXPECT_EQ(c.sweepEndDivider, 2);
    std::vector<int> sent;
    for (int i = 0; i < 49; ++i) {
        c.SweepStep();
        sent.push_back(c.sweepDivider);
    }
    EXPECT_EQ(sent.front(), 48);
    EXPECT_EQ(sent[46], 2);
    EXPECT_EQ(sent[47], 49);
    EXPECT_EQ(sent[48], 48);

    c.sweepEndFrequency = 1000.0;
    c.PrepareSweep();
    c.SweepStep();
    c.SweepStep();
    EXPECT_EQ(c.sweepDivider, 49);  // start equal to end: always S
}

// The fault: an end below the start was raised to the start, so the sweep stood still.
TEST(Sweep, AnEndBelowTheStartSweepsDownward) {
    RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState c(library, coordinator);
    c.demo = 0;
    c.pointCount = 4096;
    c.periodCount = 1;
    c.sweepStartFrequency = 10000.0;
    c.sweepEndFrequency = 1000.0;
    c.StartSweep();
    EXPECT_EQ(c.sweepEndFrequency, 1000.0);  // nothing raised
    const int start = c.sweepStartDivider;
    EXPECT_EQ(start, ClockDivider(10000.0));
    EXPECT_NEAR(c.SweepFrequency(), 10000.0, 10000.0 * 0.2);

    // One round: every step lowers the frequency, from just below the start to just above the
    // end, then the next round begins at the start.
    std::vector<double> round;
    for (int divider = start + 1; divider < ClockDivider(1000.0); ++divider) {
        c.SweepStep();
        EXPECT_EQ(c.sweepDivider, divider);
        round.push_back(c.SweepFrequency());
    }
    ASSERT_GT(round.size(), 10u);
    for (std::size_t i = 1; i < round.size(); ++i) {
        EXPECT_LT(round[i], round[i - 1]) << i;
    }
    EXPECT_LT(round.front(), 10000.0);
    EXPECT_GT(round.back(), 1000.0);
    EXPECT_LT(round.back(), 1100.0);
    c.SweepStep();
    EXPECT_EQ(c.sweepDivider, start);
    c.StopSweep();
}

TEST(Sweep, TheFrequencyGeneratedFollowsTheDividerAndTheBuffer) {
    RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState c(library, coordinator);
    struct Case {
        int divider;
        int points;
        int periods;
        double hertz;
    };
    for (const Case& k : {Case{49, 4096, 1, 200e6 / 49 / 4096}, Case{2, 4096, 1, 200e6 / 2 / 4096},
                          Case{10, 1000, 4, 200e6 / 10 * 4 / 1000}, Case{0, 4096, 1, 0.0}}) {
        c.sweepDivider = k.divider;
        c.pointCount = k.points;
        c.periodCount = k.periods;
        EXPECT_DOUBLE_EQ(c.SweepFrequency(), k.hertz) << k.divider;
    }
}

TEST(Sweep, ADemoChannelStepsWithoutCallingTheLibrary) {
    RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState c(library, coordinator);
    c.PrepareSweep();
    const int start = c.sweepStartDivider;
    c.SweepStep();
    c.SweepStep();
    EXPECT_EQ(c.sweepDivider, start - 2);
    EXPECT_TRUE(library.Calls().empty());
}

TEST(Sweep, DemoNeverCallsTheLibrary) {
    RecordingLibrary library;
    PollCoordinator coordinator;
    ChannelState c(library, coordinator);
    c.PrepareSweep();
    c.SweepStep();
    EXPECT_TRUE(library.Calls().empty());
}

}  // namespace
}  // namespace korvane
