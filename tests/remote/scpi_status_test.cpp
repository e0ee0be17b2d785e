// Status reporting, APPLy, DEFault and SYSTem:ERRor:ALL?, as a client sees them line by line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scpi_fixture.h"

namespace korvane::scpi {
namespace {

using testing::ScpiBench;

struct Exchange {
    std::string line;
    std::string answer;  // what the client reads back, '\n' included
};

struct DialogueCase {
    const char* name;
    std::vector<Exchange> exchanges;
};

class ScpiDialogue : public ::testing::TestWithParam<DialogueCase> {};

TEST_P(ScpiDialogue, AnswersLineByLine) {
    ScpiBench bench;
    for (const Exchange& exchange : GetParam().exchanges) {
        EXPECT_EQ(bench.Run(exchange.line), exchange.answer) << exchange.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Status, ScpiDialogue,
    ::testing::Values(DialogueCase{"EventsByErrorClass",
                                   {{"*ESR?", "0\n"},
                                    {"BOGUS", ""},                 // -113: command error, bit 5
                                    {"SOUR2:DIG:OUTP 99999", ""},  // -222: execution error, bit 4
                                    {"*ESR?", "48\n"},
                                    {"*ESR?", "0\n"},  // reading clears it
                                    {"SYST:ERR:COUN?", "2\n"}}},
                      DialogueCase{"StatusByteSummaries",
                                   {{"*STB?", "0\n"},
                                    {"BOGUS", ""},
                                    {"*STB?", "4\n"},           // the error queue holds one
                                    {"*ESE 32;*STB?", "36\n"},  // and an enabled event is set
                                    {"*SRE 4;*STB?", "100\n"},  // an enabled bit: summary
                                    {"*ESE?;*SRE?", "32;4\n"},
                                    {"*CLS;*STB?", "0\n"},
                                    {"*ESE?", "32\n"}}},  // *CLS keeps the masks
                      DialogueCase{"SummaryBitIsNoServiceRequestSource",
                                   {{"*SRE 255;*SRE?", "191\n"}, {"*SRE DEF;*SRE?", "0\n"}}},
                      DialogueCase{"MaskOutOfRange",
                                   {{"*ESE 256", ""},
                                    {"*ESE?", "0\n"},
                                    {"SYST:ERR?", "-222,\"Data out of range\"\n"}}},
                      DialogueCase{"OperationCompleteOnADemoChannel",
                                   {{"SOUR2:FREQ 5;*OPC", ""}, {"*ESR?", "1\n"}, {"*ESR?", "0\n"}}},
                      DialogueCase{"QueryErrorsAll",
                                   {{"SYST:ERR:ALL?", "0,\"No error\"\n"},
                                    {"BOGUS;FREQ 1,2", ""},
                                    {"SYST:ERR:ALL?",
                                     "-113,\"Undefined header\",-108,\"Parameter not allowed\"\n"},
                                    {"SYST:ERR:COUN?", "0\n"}}},
                      DialogueCase{"SelfTest", {{"*TST?", "0\n"}}}),
    [](const ::testing::TestParamInfo<DialogueCase>& info) {
        return std::string(info.param.name);
    });

INSTANTIATE_TEST_SUITE_P(
    Apply, ScpiDialogue,
    ::testing::Values(DialogueCase{"AllThreeValues",
                                   {{"SOUR2:APPL:SQU 2kHz,1.5,-0.5", ""},
                                    {"SOUR2:FUNC?;FREQ?;VOLT?;VOLT:OFFS?", "SQU;2000;1.5;-0.5\n"},
                                    {"SOUR2:APPL?", "\"SQU 2000,1.5,-0.5\"\n"}}},
                      DialogueCase{
                          "OmittedValuesStay",
                          {{"SOUR2:APPL:RAMP", ""}, {"SOUR2:APPL?", "\"RAMP 1000,2,0\"\n"}}},
                      DialogueCase{"FrequencyLimitedByTheNewShape",
                                   {{"SOUR2:APPL:SIN 50MHZ", ""},
                                    {"SOUR2:APPL:SQU MAX,MAX,MIN", ""},
                                    {"SOUR2:APPL?", "\"SQU 25000000,3.5,-7\"\n"}}},
                      DialogueCase{"ABadValueChangesNothing",
                                   {{"SOUR2:APPL:SQU 2000,1,bogus", ""},
                                    {"SOUR2:APPL?", "\"SIN 1000,2,0\"\n"},
                                    {"SYST:ERR?", "-104,\"Data type error\"\n"},
                                    {"SOUR2:APPL:SQU 1,2,3,4", ""},
                                    {"SYST:ERR?", "-108,\"Parameter not allowed\"\n"}}},
                      DialogueCase{"DefaultValues",
                                   {{"SOUR2:APPL:USER 5000,1,1", ""},
                                    {"SOUR2:APPL:SIN DEF,DEF,DEF", ""},
                                    {"SOUR2:APPL?", "\"SIN 1000,2,0\"\n"}}}),
    [](const ::testing::TestParamInfo<DialogueCase>& info) {
        return std::string(info.param.name);
    });

// Every numeric setting takes DEFault: the value a new panel starts with.
struct DefaultCase {
    const char* setting;
    const char* changed;
    const char* defaultAnswer;
};

class ScpiDefault : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(ScpiDefault, GivesThePanelsStartingValue) {
    ScpiBench bench;
    const std::string setting = std::string("SOUR2:") + GetParam().setting;
    bench.Run(setting + " " + GetParam().changed);
    ASSERT_NE(bench.Run(setting + "?"), std::string(GetParam().defaultAnswer) + "\n");
    EXPECT_EQ(bench.Run(setting + "? DEF"), std::string(GetParam().defaultAnswer) + "\n");
    bench.Run(setting + " DEF");
    EXPECT_EQ(bench.Run(setting + "?"), std::string(GetParam().defaultAnswer) + "\n");
    EXPECT_EQ(bench.NextError(), "0,\"No error\"\n");
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ScpiDefault,
    ::testing::Values(
        DefaultCase{"FREQ", "5000", "1000"}, DefaultCase{"VOLT", "1", "2"},
        DefaultCase{"VOLT:OFFS", "1", "0"}, DefaultCase{"PHAS", "0.5", "0"},
        DefaultCase{"FUNC:SQU:DCYC", "10", "50"}, DefaultCase{"FUNC:RAMP:SYMM", "10", "50"},
        DefaultCase{"FUNC:TRAP:RISE", "0.1", "0.2"}, DefaultCase{"FUNC:TRAP:HIGH", "0.1", "0.4"},
        DefaultCase{"FUNC:TRAP:FALL", "0.1", "0.2"}, DefaultCase{"FUNC:EXP:TCON", "0.5", "0.001"},
        DefaultCase{"FUNC:AMFM:DEPT", "0.1", "0.5"}, DefaultCase{"FUNC:AMFM:CARR", "5000", "10000"},
        DefaultCase{"FUNC:AMFM:DEV", "5000", "3000"}, DefaultCase{"SWE:STAR", "50", "1000"},
        DefaultCase{"SWE:STOP", "50", "100000"}, DefaultCase{"SWE:STEP", "1", "100"}),
    [](const ::testing::TestParamInfo<DefaultCase>& info) {
        std::string name;
        for (const char* c = info.param.setting; *c != '\0'; ++c) {
            if (*c != ':') {
                name.push_back(*c);
            }
        }
        return name;
    });

TEST(ScpiDefault, DigitalOutputAndAttenuation) {
    ScpiBench bench;
    EXPECT_EQ(bench.Run("SOUR2:DIG:OUTP 5;DIG:OUTP DEF;DIG:OUTP?"), "0\n");
    EXPECT_EQ(bench.Run("SOUR2:OUTP:ATT 20;OUTP:ATT DEF;OUTP:ATT?"), "0\n");
}

TEST(ScpiOperationComplete, SetOnceTheDeviceHasItsCommands) {
    ScpiBench bench;
    EXPECT_EQ(bench.Run("FREQ 2000;*OPC;*ESR?"), "0\n");
    bench.DrainDevice();
    EXPECT_EQ(bench.Run("*ESR?"), "1\n");
}

TEST(ScpiSelfTest, FailsWhileADeviceDoesNotAnswer) {
    ScpiBench bench;
    bench.library.present = 0;
    bench.device.Poll();
    EXPECT_EQ(bench.Run("*TST?"), "1\n");
    EXPECT_EQ(bench.NextError(), "-330,\"Self-test failed\"\n");
    EXPECT_EQ(bench.Run("*ESR?"), "8\n");
}

}  // namespace
}  // namespace korvane::scpi
