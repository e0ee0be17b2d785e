#include <gtest/gtest.h>

#include <cmath>

#include <functional>
#include <string>
#include <vector>

#include "scpi_fixture.h"

namespace korvane::scpi {
namespace {

using testing::ScpiBench;
using Queue = std::vector<int>;

struct CommandCase {
    std::string line;
    std::string reply;  // what the client reads back, '\n' included
    std::string error;  // the first SYST:ERR? answer afterwards
    std::function<void(const ScpiBench&)> check;
};

const std::string kNoError = "0,\"No error\"\n";

void RunCases(const std::vector<CommandCase>& cases) {
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.line);
        ScpiBench bench;
        EXPECT_EQ(bench.Run(c.line), c.reply);
        EXPECT_EQ(bench.NextError(), c.error);
        if (c.check) {
            c.check(bench);
        }
    }
}

TEST(ScpiCommands, FrequencyAmplitudeOffsetPhase) {
    RunCases({
        {"FREQ 2000", "", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.frequency, 2000.0);
             EXPECT_EQ(b.device.QueuedCommands(), (Queue{SetFrequency, Download}));
         }},
        {"SOURCE2:FREQUENCY 1.5kHz", "", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.demo.frequency, 1500.0);
             EXPECT_EQ(b.device.frequency, 1000.0);
             EXPECT_TRUE(b.demo.QueuedCommands().empty());
         }},
        {"FREQ 80MHZ", "", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.frequency, 75e6); }},
        {"FUNC SQU;FREQ 30e6", "", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.frequency, 25e6); }},
        {"FREQ 0.5", "", kNoError, [](const ScpiBench& b) { EXPECT_EQ(b.device.frequency, 1.0); }},
        {"FREQ MIN;FREQ?", "1\n", kNoError, nullptr},
        {"FREQ MAX;FREQ?", "75000000\n", kNoError, nullptr},
        {"FREQ? MAX;FUNC RAMP;FREQ? MAX", "75000000;25000000\n", kNoError, nullptr},
        {"FREQ? 5", "", "-224,\"Illegal parameter value\"\n", nullptr},
        {"VOLT 200mV;VOLT?", "0.2\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.amplitude, 0.2f);
             EXPECT_EQ(b.device.QueuedCommands(), (Queue{Download}));
         }},
        {"VOLT 5", "", kNoError, [](const ScpiBench& b) { EXPECT_EQ(b.device.amplitude, 3.5f); }},
        {"VOLT -1", "", kNoError, [](const ScpiBench& b) { EXPECT_EQ(b.device.amplitude, 0.0f); }},
        {"VOLT:OFFS -9;VOLT:OFFS?", "-7\n", kNoError, nullptr},
        {"VOLTAGE:OFFSET 250mv", "", kNoError,
         [](const ScpiBench& b) { EXPECT_DOUBLE_EQ(b.device.offset, 0.25); }},
        {"PHAS 1.5;PHAS?", "1\n", kNoError, nullptr},
        {"PHAS 0.25", "", kNoError, [](const ScpiBench& b) { EXPECT_EQ(b.device.phase, 0.25f); }},
        {"FREQ 1kV", "", "-131,\"Invalid suffix\"\n",
         [](const ScpiBench& b) { EXPECT_EQ(b.device.frequency, 1000.0); }},
        {"FREQ", "", "-109,\"Missing parameter\"\n", nullptr},
        {"FREQ 1,2", "", "-108,\"Parameter not allowed\"\n",
         [](const ScpiBench& b) { EXPECT_TRUE(b.device.QueuedCommands().empty()); }},
        {"FREQ?;VOLT?;VOLT:OFFS?;PHAS?", "1000;2;0;0\n", kNoError, nullptr},
    });
}

TEST(ScpiCommands, WaveTypesAndShapes) {
    RunCases({
        {"FUNC RAMP;FUNC?", "RAMP\n", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.waveType, Ramp); }},
        {"function:shape sinusoid;func?", "SIN\n", kNoError, nullptr},
        {"FUNC WNOISE;FUNC?", "WNO\n", kNoError, nullptr},
        {"FUNC GNO;FUNC?", "GNO\n", kNoError, nullptr},
        {"FUNC EXP;FUNC?", "EXP\n", kNoError, nullptr},
        {"FUNC TRAP;FUNC?", "TRAP\n", kNoError, nullptr},
        {"FUNC AMFM;FUNC?", "AMFM\n", kNoError, nullptr},
        {"PHAS 0.5;FUNC USER;FUNC?;PHAS?", "USER;0\n", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.waveType, Arbitrary); }},
        {"FREQ 50e6;FUNC SQU", "", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.frequency, 25e6);
             EXPECT_EQ(b.device.waveType, Square);
         }},
        {"FUNC BOGUS", "", "-224,\"Illegal parameter value\"\n",
         [](const ScpiBench& b) { EXPECT_EQ(b.device.waveType, Sine); }},
        {"FUNC:SQU:DCYC 25PCT;DCYC?", "25\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.squareDuty, 0.25f);
             EXPECT_EQ(b.device.QueuedCommands(), (Queue{Download}));
         }},
        {"FUNC:SQU:DCYC 170", "", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.squareDuty, 1.0f); }},
        {"FUNC:RAMP:SYMM 30", "", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.rampDuty, 0.3f); }},
        // Rise 0.2 and high 0.4 leave 0.4 for the fall.
        {"FUNC:TRAP:FALL 0.6;FALL?", "0.4\n", kNoError,
         [](const ScpiBench& b) { EXPECT_FLOAT_EQ(b.device.trapeziaFall, 0.4f); }},
        {"FUNC:TRAP:RISE 0.1;HIGH 0.5", "", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.trapeziaRise, 0.1f);
             EXPECT_EQ(b.device.trapeziaHigh, 0.5f);
         }},
        {"FUNC:EXP:TCON 2ms;TCON?", "0.002\n", kNoError, nullptr},
        {"FUNC:EXP:TCON 5", "", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.exponentTimeConstant, 1.0f); }},
        {"FUNC:EXP:RAIS OFF;RAIS?", "0\n", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.exponentRaise, 0); }},
        {"FUNC:AMFM:DEPT 80PCT;CARR 20kHz;DEV 1500.4;MODE FM", "", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.amDepth, 0.8f);
             EXPECT_EQ(b.device.carrierFrequency, 20000);
             EXPECT_EQ(b.device.fmDeviation, 1500);
             EXPECT_EQ(b.device.fmMode, 1);
         }},
        {"FUNC:AMFM:CARR 1e12;CARR?;MODE?", "75000000;AM\n", kNoError, nullptr},
    });
}

TEST(ScpiCommands, OutputAndTrigger) {
    RunCases({
        {"OUTP OFF;OUTP?", "0\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.outputOn, 0);
             EXPECT_EQ(b.device.QueuedCommands(), (Queue{Download}));
         }},
        {"OUTP2:STAT 0", "", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.demo.outputOn, 0);
             EXPECT_EQ(b.device.outputOn, 1);
         }},
        {"SOUR2:OUTP OFF", "", kNoError, [](const ScpiBench& b) { EXPECT_EQ(b.demo.outputOn, 0); }},
        {"OUTP:ATT 20;ATT?", "20\n", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.attenuate20dB, 1); }},
        {"OUTP:ATT 20DB;ATT 0;ATT?", "0\n", kNoError, nullptr},
        {"OUTP:ATT 10", "", "-224,\"Illegal parameter value\"\n",
         [](const ScpiBench& b) { EXPECT_EQ(b.device.attenuate20dB, 0); }},
        {"OUTP:SWAV ON;SWAV?", "1\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.singleWave, 1);
             EXPECT_EQ(b.device.QueuedCommands(), (Queue{SetSingleWave, Download}));
         }},
        {"TRIG:SOUR EXT;SOUR?", "EXT\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.extTrigger, 1);
             EXPECT_EQ(b.device.QueuedCommands(), (Queue{SetTrigger}));
         }},
        {"TRIG:SLOP POS;SLOP?", "POS\n", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.triggerEdge, 1); }},
        {"TRIG:SLOP NEGATIVE;SLOP?", "NEG\n", kNoError, nullptr},
        {"OUTP3 ON", "", "-114,\"Header suffix out of range\"\n", nullptr},
    });
}

TEST(ScpiCommands, PointsMeasurementDigitalAndSweep) {
    RunCases({
        {"DATA:ARB 1,-1,0.5,250mV;:DATA:ARB?", "1,-1,0.5,0.25\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.arbPointCount, 4);
             EXPECT_EQ(b.device.waveType, Arbitrary);
             EXPECT_EQ(b.device.arbPoints[1], -1.0f);
         }},
        {"DATA:ARB 1,x", "", "-104,\"Data type error\"\n",
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.arbPointCount, 1000);
             EXPECT_EQ(b.device.waveType, Sine);
             EXPECT_EQ(b.device.arbPoints[0], 0.0f);
         }},
        {"DATA:ARB", "", "-109,\"Missing parameter\"\n", nullptr},
        {"FREQ MAX;DATA:ARB 1,0;FREQ?", "25000000\n", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.waveType, Arbitrary); }},
        {"DIG:OUTP #H801;OUTP?", "2049\n", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.digitalOut, 0x801); }},
        {"DIG:OUTP 5000", "", "-222,\"Data out of range\"\n",
         [](const ScpiBench& b) { EXPECT_EQ(b.device.digitalOut, 0); }},
        {"DIG:MODE PROG;MODE?", "PROG\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.dioMode, 1);
             EXPECT_EQ(b.device.QueuedCommands(), (Queue{SetDioMode}));
         }},
        {"COUN:RES", "", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.resetCounterPending, 1); }},
        {"MEAS:MODE COUN;MODE?", "COUN\n", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.measureFrequency, 0); }},
        {"SWE:STAR 2000;STOP 5kHz;STEP 50;STAR?;STOP?;STEP?", "2000;5000;50\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.sweepStartFrequency, 2000.0);
             EXPECT_EQ(b.device.sweepEndFrequency, 5000.0);
             EXPECT_EQ(b.device.sweepSpeed, 50);
         }},
        {"SWE:STAR 2e6;STEP 0.2s;STAR?;STEP?", "1000000;200\n", kNoError, nullptr},
        {"SWE:STEP 4000000;STEP?", "3600000\n", kNoError, nullptr},
        {"SWE:STEP 0;STEP?", "1\n", kNoError, nullptr},
    });
}

TEST(ScpiCommands, CommonCommandsAndErrors) {
    RunCases({
        {"*IDN?", "Korvane,KorvaneAWG,0,9.9.9\n", kNoError, nullptr},
        {"BOGUS", "", "-113,\"Undefined header\"\n", nullptr},
        {"FREQ?;BOGUS;VOLT?", "1000;2\n", "-113,\"Undefined header\"\n", nullptr},
        {"FREQ 2000;FREQ:BOGUS 1;VOLT 1", "", "-113,\"Undefined header\"\n",
         [](const ScpiBench& b) {
             EXPECT_EQ(b.device.frequency, 2000.0);
             EXPECT_EQ(b.device.amplitude, 1.0f);
         }},
        {"SOUR3:FREQ 1", "", "-114,\"Header suffix out of range\"\n", nullptr},
        {"*RST?", "", "-113,\"Undefined header\"\n", nullptr},
        {"*IDN? 1", "", "-108,\"Parameter not allowed\"\n", nullptr},
        {"SYST:VERS?", "1999.0\n", kNoError, nullptr},
        {"SOUR2:VOLT 1;FREQ 3000", "", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.demo.amplitude, 1.0f);
             EXPECT_EQ(b.demo.frequency, 3000.0);
             EXPECT_EQ(b.device.frequency, 1000.0);
         }},
        {"SOUR2:FUNC:SQU:DCYC 40;FREQ 3000;FUNC?", "SIN\n", kNoError,
         [](const ScpiBench& b) {
             EXPECT_EQ(b.demo.squareDuty, 0.4f);
             EXPECT_EQ(b.demo.frequency, 3000.0);
             EXPECT_EQ(b.demo.waveType, Sine);
             EXPECT_EQ(b.device.frequency, 1000.0);
         }},
        {"SOUR2:VOLT 1;:FREQ 3000", "", kNoError,
         [](const ScpiBench& b) { EXPECT_EQ(b.device.frequency, 3000.0); }},
        {"", "", kNoError, nullptr},
        {";;", "", kNoError, nullptr},
    });
}

// FUNC USER from another wave type plays the wave that was on, as the panel's Arb key does;
// points sent with DATA:ARB are kept.
TEST(ScpiWaveType, UserFromAnotherTypeTakesTheCurrentWaveAsItsTable) {
    ScpiBench bench;
    bench.Run("FUNC SIN;VOLT 2;VOLT:OFFS 0;PHAS 0");
    bench.Run("FUNC USER");
    EXPECT_EQ(bench.device.waveType, Arbitrary);
    EXPECT_EQ(bench.device.arbPointCount, bench.device.pointCount / bench.device.periodCount);
    const int quarter = bench.device.arbPointCount / 4;
    EXPECT_NEAR(std::fabs(bench.device.arbPoints[static_cast<std::size_t>(quarter)]), 2.0f, 0.01f);

    bench.Run("DATA:ARB 1,-0.5");
    bench.Run("FUNC USER");
    EXPECT_EQ(bench.device.arbPointCount, 2);
    EXPECT_EQ(bench.device.arbPoints[0], 1.0f);
}

}  // namespace
}  // namespace korvane::scpi
