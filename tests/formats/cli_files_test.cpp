// The file commands of the headless tool, run as a separate process.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "scratch_folder.h"

namespace {

class CliFilesTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    std::string Path(const std::string& name) const { return (folder / name).string(); }
};

TEST_F(CliFilesTest, ASavedSineReadsBackAsOnePeriodInVolts) {
    CliRun write = RunCli({"csv-write", Path("sine.csv"), "--set", "pointCount=1000", "--set",
                           "periodCount=1", "--set", "amplitude=2"});
    ASSERT_EQ(write.status, 0) << write.output;
    std::string text = folder.Read("sine.csv");
    EXPECT_EQ(text.rfind("#CLOCK=1000000.000000\r\n#SIZE=1000\r\n0.000000,0,0\r\n", 0), 0u);

    CliRun read = RunCli({"csv-read", Path("sine.csv")});
    ASSERT_EQ(read.status, 0) << read.output;
    std::vector<std::string> lines = read.Lines();
    ASSERT_EQ(lines.size(), 1002u);
    EXPECT_EQ(lines[0], "clock=1000000.000000");
    EXPECT_EQ(lines[1], "size=1000");
    EXPECT_EQ(lines[2], "0.000000");
    EXPECT_NEAR(std::stod(lines[2 + 250]), 2.0, 1e-3);  // the peak, a quarter period in
    EXPECT_NEAR(std::stod(lines[2 + 750]), -2.0, 1e-3);
}

TEST_F(CliFilesTest, ARefusedCsvFilePrintsTheProgramsMessage) {
    folder.Write("empty.csv", "#CLOCK=1000\r\n#SIZE=0\r\n");
    CliRun zero = RunCli({"csv-read", Path("empty.csv")});
    EXPECT_EQ(zero.status, 1);
    EXPECT_EQ(zero.output, "Points is too few!!!\n");

    folder.Write("big.csv", "#CLOCK=1000\r\n#SIZE=4097\r\n");
    CliRun big = RunCli({"csv-read", Path("big.csv")});
    EXPECT_EQ(big.status, 1);
    EXPECT_EQ(big.output, "Value is Over!!!\n");

    CliRun missing = RunCli({"csv-read", Path("absent.csv")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output,
              "Cannot read file " + Path("absent.csv") + ": No such file or directory\n");

    folder.Write("header.csv", "#CLOCK=1000\r\n#SIZE=4096\r\n");
    CliRun header = RunCli({"csv-read", Path("header.csv")});
    EXPECT_EQ(header.status, 1);
    EXPECT_EQ(header.output, "Points is too few!!!\n");
}

// A pipe with no writer would block a plain open for ever.
TEST_F(CliFilesTest, AFifoIsRefusedAtOnce) {
    for (const char* name : {"pipe.csv", "pipe.set"}) {
        ASSERT_EQ(mkfifo(Path(name).c_str(), 0600), 0);
    }
    CliRun csv = RunCli({"csv-read", Path("pipe.csv")});
    EXPECT_EQ(csv.status, 1);
    EXPECT_EQ(csv.output, "Cannot read file " + Path("pipe.csv") + ": Invalid argument\n");
    CliRun settings = RunCli({"settings-read", Path("pipe.set")});
    EXPECT_EQ(settings.status, 1);
    EXPECT_EQ(settings.output, "refused: cannot read " + Path("pipe.set") + ": Invalid argument\n");
}

TEST_F(CliFilesTest, SettingsWrittenWithFieldsReadBackByName) {
    CliRun write =
        RunCli({"settings-write", Path("panel.set"), "--set", "waveType=2", "--set",
                "amplitude=1.5", "--set", "powerOnOutput=0", "--set", "fmDeviation=4321"});
    ASSERT_EQ(write.status, 0) << write.output;
    EXPECT_EQ(folder.Read("panel.set").size(), 114u);

    CliRun read = RunCli({"settings-read", Path("panel.set")});
    ASSERT_EQ(read.status, 0) << read.output;
    std::vector<std::string> lines = read.Lines();
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines.front(), "frequency=1000");
    EXPECT_EQ(lines[1], "amplitude=1.5");
    EXPECT_EQ(lines[7], "waveType=2");
    EXPECT_EQ(lines[10], "powerOnOutput=0");
    EXPECT_EQ(lines[20], "fmDeviation=4321");
    EXPECT_EQ(lines.back(), "fmMode=0");
}

// The tool's --set goes through the channel rules: the file it writes holds limited values.
TEST_F(CliFilesTest, SetValuesAreLimitedLikeThePanelsBeforeTheyAreWritten) {
    CliRun write =
        RunCli({"settings-write", Path("wild.set"), "--set", "frequency=1e9", "--set",
                "amplitude=9", "--set", "carrierFrequency=99999999", "--set", "fmDeviation=-5"});
    ASSERT_EQ(write.status, 0) << write.output;
    const std::string bytes = folder.Read("wild.set");
    ASSERT_EQ(bytes.size(), 114u);
    const auto field = [&bytes](std::size_t offset, auto value) {
        std::memcpy(&value, bytes.data() + offset, sizeof value);  // the test host is little-endian
        return value;
    };
    EXPECT_EQ(field(14, 0.0), 75e6);
    EXPECT_EQ(field(22, 0.0f), 3.5f);
    EXPECT_EQ(field(102, std::int32_t{}), 75000000);
    EXPECT_EQ(field(106, std::int32_t{}), 0);
}

TEST_F(CliFilesTest, RefusedSettingsExitWithOne) {
    folder.Write("short.set", std::string("Q\0V\0X\0-\0D\0S\0O\0", 14));
    CliRun shortFile = RunCli({"settings-read", Path("short.set")});
    EXPECT_EQ(shortFile.status, 1);
    EXPECT_EQ(shortFile.output, "refused: " + Path("short.set") +
                                    " is shorter than a settings file (14 of 114 bytes)\n");

    folder.Write("foreign.set", std::string(114, 'x'));
    CliRun foreign = RunCli({"settings-read", Path("foreign.set")});
    EXPECT_EQ(foreign.status, 1);
    EXPECT_EQ(foreign.output, "refused: " + Path("foreign.set") +
                                  " is not a settings file (it does not begin with QVX-DSO)\n");

    CliRun wrongExtension = RunCli({"settings-read", Path("panel.cfg")});
    EXPECT_EQ(wrongExtension.status, 1);
    EXPECT_FALSE(wrongExtension.output.empty());

    CliRun unwritable = RunCli({"settings-write", Path("missing/panel.set")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.output, "Cann't save file: No such file or directory\n");
}

TEST_F(CliFilesTest, MalformedArgumentsAreUsageErrors) {
    EXPECT_EQ(RunCli({"csv-read"}).status, 2);
    EXPECT_EQ(RunCli({"csv-write", Path("a.csv"), Path("b.csv")}).status, 2);
    EXPECT_EQ(RunCli({"settings-write", Path("a.set"), "--set", "nosuchfield=1"}).status, 2);
    EXPECT_EQ(RunCli({"settings-write", Path("a.set"), "--set", "amplitude=loud"}).status, 2);
}

}  // namespace
