// The conventions bench generators share: duty cycle and symmetry in percent, ARB as a second
// word for the arbitrary wave, the input pins alone, and no impossible frequency reading.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "scpi_fixture.h"

namespace korvane::scpi {
namespace {

using testing::ScpiBench;

struct PercentCase {
    const char* name;
    const char* line;
    const char* reply;
    float stored;  // the fraction the channel keeps
};

class ScpiPercent : public ::testing::TestWithParam<PercentCase> {};

TEST_P(ScpiPercent, IsTakenAndAnsweredInPercentAndStoredAsAFraction) {
    ScpiBench bench;
    EXPECT_EQ(bench.Run(GetParam().line), std::string(GetParam().reply) + "\n");
    EXPECT_EQ(bench.NextError(), "0,\"No error\"\n");
    const std::string line = GetParam().line;
    const float stored = line.find("RAMP") != std::string::npos ? bench.device.rampDuty.load()
                                                                : bench.device.squareDuty.load();
    EXPECT_FLOAT_EQ(stored, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    DutyAndSymmetry, ScpiPercent,
    ::testing::Values(PercentCase{"Duty20", "FUNC:SQU:DCYC 20;DCYC?", "20", 0.2f},
                      PercentCase{"DutyPct", "FUNC:SQU:DCYC 20PCT;DCYC?", "20", 0.2f},
                      PercentCase{"DutyFraction", "FUNC:SQU:DCYC 0.5;DCYC?", "0.5", 0.005f},
                      PercentCase{"DutyAbove", "FUNC:SQU:DCYC 250;DCYC?", "100", 1.0f},
                      PercentCase{"DutyBelow", "FUNC:SQU:DCYC -3;DCYC?", "0", 0.0f},
                      PercentCase{"DutyMinMaxDef", "FUNC:SQU:DCYC? MIN;DCYC? MAX;DCYC? DEF",
                                  "0;100;50", 0.5f},
                      PercentCase{"DutySetMax", "FUNC:SQU:DCYC MAX;DCYC?", "100", 1.0f},
                      PercentCase{"Symmetry75", "FUNC:RAMP:SYMM 75;SYMM?", "75", 0.75f},
                      PercentCase{"SymmetryMinMax", "FUNC:RAMP:SYMM? MIN;SYMM? MAX", "0;100", 0.5f},
                      PercentCase{"SymmetrySetMin", "FUNC:RAMP:SYMM MIN;SYMM?", "0", 0.0f}),
    [](const ::testing::TestParamInfo<PercentCase>& info) { return std::string(info.param.name); });

struct ArbitraryCase {
    const char* name;
    const char* line;
};

class ScpiArbitraryWord : public ::testing::TestWithParam<ArbitraryCase> {};

TEST_P(ScpiArbitraryWord, SelectsTheUserWaveWhichStillAnswersUser) {
    ScpiBench bench;
    bench.Run(GetParam().line);
    EXPECT_EQ(bench.NextError(), "0,\"No error\"\n");
    EXPECT_EQ(bench.device.waveType, Arbitrary);
    EXPECT_EQ(bench.Run("FUNC?"), "USER\n");
    EXPECT_EQ(bench.Run("APPL?").substr(0, 6), "\"USER ");
}

INSTANTIATE_TEST_SUITE_P(Words, ScpiArbitraryWord,
                         ::testing::Values(ArbitraryCase{"Short", "FUNC ARB"},
                                           ArbitraryCase{"Long", "FUNC ARBITRARY"},
                                           ArbitraryCase{"Mixed", "function:shape Arbitrary"},
                                           ArbitraryCase{"Apply", "APPL:ARB 2000,1,0"},
                                           ArbitraryCase{"ApplyLong", "APPLY:ARBITRARY"}),
                         [](const ::testing::TestParamInfo<ArbitraryCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ScpiArbitraryWord, AnAbbreviationThatIsNeitherFormIsRefused) {
    ScpiBench bench;
    bench.Run("FUNC ARBI");
    EXPECT_EQ(bench.NextError(), "-224,\"Illegal parameter value\"\n");
    EXPECT_EQ(bench.device.waveType, Sine);
}

struct InputCase {
    const char* name;
    std::uint16_t word;  // the device's input word
    const char* reply;
};

class ScpiDigitalInput : public ::testing::TestWithParam<InputCase> {};

TEST_P(ScpiDigitalInput, AnswersThePinsI0ToI3AsBits0To3) {
    ScpiBench bench;
    bench.device.digitalIn = GetParam().word;
    EXPECT_EQ(bench.Run("DIG:INP?"), std::string(GetParam().reply) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Words, ScpiDigitalInput,
    ::testing::Values(InputCase{"None", 0x00, "0"}, InputCase{"I0AndI2", 0x14, "5"},
                      InputCase{"I3", 0x20, "8"}, InputCase{"AllPins", 0x3C, "15"},
                      InputCase{"SerialBitsAreNotPins", 0xC0, "0"},
                      InputCase{"LowBitsAreNotPins", 0x03, "0"},
                      InputCase{"EverythingSet", 0xFFFF, "15"}),
    [](const ::testing::TestParamInfo<InputCase>& info) { return std::string(info.param.name); });

struct ReadingCase {
    const char* name;
    double reading;  // what the driver left in the channel
    const char* reply;
};

class ScpiMeasuredFrequency : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(ScpiMeasuredFrequency, AnswersAFiniteFrequencyOrTheNotANumberValue) {
    ScpiBench bench;
    bench.device.measuredFrequency = GetParam().reading;
    EXPECT_EQ(bench.Run("MEAS:FREQ?"), std::string(GetParam().reply) + "\n");
    EXPECT_EQ(bench.NextError(), "0,\"No error\"\n");
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Readings, ScpiMeasuredFrequency,
    ::testing::Values(ReadingCase{"Plain", 1234.5, "1234.5"}, ReadingCase{"Zero", 0.0, "0"},
                      ReadingCase{"NegativeZero", -0.0, "0"},
                      ReadingCase{"Infinity", kInfinity, "9.91E+37"},
                      ReadingCase{"MinusInfinity", -kInfinity, "9.91E+37"},
                      ReadingCase{"NaN", std::numeric_limits<double>::quiet_NaN(), "9.91E+37"},
                      ReadingCase{"Negative", -5.0, "9.91E+37"}),
    [](const ::testing::TestParamInfo<ReadingCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane::scpi
