// The headless tool's arbitrary-wave commands: an equation or an imported file written as the
// program's CSV, the spectrum of a CSV, and one line naming file, line and reason on bad input.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <string>
#include <vector>

#include "cli_run.h"
#include "scratch_folder.h"

namespace {

std::string DataFile(const std::string& name) {
    return std::string(KORVANE_FORMATS_DATA) + "/" + name;
}

class CliArbTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    std::string Path(const std::string& name) const { return (folder / name).string(); }
    // The table of a written CSV file as csv-read prints it: clock, size, then the volts.
    std::vector<std::string> Table(const std::string& name) const {
        CliRun read = RunCli({"csv-read", Path(name)});
        EXPECT_EQ(read.status, 0) << read.output;
        return read.Lines();
    }
};

TEST_F(CliArbTest, AnExpressionIsWrittenAsTheProgramsCsv) {
    CliRun run = RunCli({"arb", "--expr", "2 * sin(2 * pi * t)", "--points", "4", Path("e.csv")});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(folder.Read("e.csv"),
              "#CLOCK=4000.000000\r\n#SIZE=4\r\n0.000000,0,0\r\n2.000000,0,0\r\n"
              "0.000000,0,0\r\n-2.000000,0,0\r\n");
}

struct ImportCase {
    const char* name;
    std::vector<std::string> options;  // before the output file
    std::vector<std::string> table;    // csv-read's lines
};

class CliArbImportTest : public CliArbTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(CliArbImportTest, WritesTheFittedTable) {
    std::vector<std::string> args{"arb"};
    for (const std::string& option : GetParam().options) {
        args.push_back(option.rfind("data:", 0) == 0 ? DataFile(option.substr(5)) : option);
    }
    args.push_back(Path("out.csv"));
    CliRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Table("out.csv"), GetParam().table);
}

// A file's time column sets the rate (one period lasts as long as its values); without one the
// channel's 1 kHz stays.
INSTANTIATE_TEST_SUITE_P(
    Files, CliArbImportTest,
    ::testing::Values(
        ImportCase{"German",
                   {"--import", "data:zeit_spannung.csv"},
                   {"clock=1000.000000", "size=3", "0.500000", "-1.250000", "2.000000"}},
        ImportCase{
            "TimeVolts",
            {"--import", "data:time_volts.csv"},
            {"clock=1000.000000", "size=4", "0.250000", "0.500000", "-0.750000", "1.000000"}},
        ImportCase{"TimeColumnChosen",
                   {"--import", "data:time_volts.csv", "--column", "1"},
                   {"clock=4000.000000", "size=4", "0.000000", "0.001000", "0.002000", "0.003000"}},
        ImportCase{
            "ProgramsOwnCsv",
            {"--import", "data:program_wave.csv"},
            {"clock=4000.000000", "size=4", "0.000000", "1.500000", "0.000000", "-1.500000"}},
        ImportCase{"ThreeKept",
                   {"--import", "data:three_values.txt"},
                   {"clock=3000.000000", "size=3", "1.000000", "-2.000000", "0.500000"}},
        ImportCase{"ThreeInterpolated",
                   {"--import", "data:three_values.txt", "--points", "6"},
                   {"clock=6000.000000", "size=6", "1.000000", "-0.500000", "-2.000000",
                    "-0.750000", "0.500000", "0.750000"}},
        ImportCase{"NormalisedToAPeak",
                   {"--import", "data:three_values.txt", "--peak", "3"},
                   {"clock=3000.000000", "size=3", "1.500000", "-3.000000", "0.750000"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliArbTest, TenThousandValuesBecomeTheLargestTableOrTheCountAsked) {
    CliRun run = RunCli({"arb", "--import", DataFile("ten_thousand.txt"), Path("big.csv")});
    ASSERT_EQ(run.status, 0) << run.output;
    std::vector<std::string> table = Table("big.csv");
    ASSERT_EQ(table.size(), 2u + 4096u);
    EXPECT_EQ(table[1], "size=4096");

    run = RunCli(
        {"arb", "--import", DataFile("ten_thousand.txt"), "--points", "1000", Path("small.csv")});
    ASSERT_EQ(run.status, 0) << run.output;
    table = Table("small.csv");
    ASSERT_EQ(table.size(), 2u + 1000u);
    EXPECT_NEAR(std::stod(table[2 + 250]), 2.0, 1e-3);  // the peak, a quarter period in
    EXPECT_NEAR(std::stod(table[2 + 750]), -2.0, 1e-3);
}

TEST_F(CliArbTest, AStereoWavGivesTheChosenChannelAtItsRate) {
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* sound = sf_open(Path("stereo.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(sound, nullptr);
    const float frames[] = {0.5f, -0.25f, 0.0f, 0.25f};
    sf_writef_float(sound, frames, 2);
    sf_close(sound);

    CliRun run = RunCli({"arb", "--import", Path("stereo.wav"), "--column", "2", Path("w.csv")});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Table("w.csv"),
              (std::vector<std::string>{"clock=8000.000000", "size=2", "-0.875000", "0.875000"}));
}

TEST_F(CliArbTest, ClippedPointsAreWrittenAtTheFullScaleAndCounted) {
    CliRun run = RunCli({"arb", "--expr", "5 * sin(2 * pi * t)", "--points", "8", Path("c.csv")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "korvaneawg-cli: 6 of 8 points clipped to ±3.5 V\n");
    EXPECT_EQ(Table("c.csv")[4], "3.500000");
}

TEST_F(CliArbTest, TheSpectrumOfASquareListsItsHarmonicsAndThd) {
    ASSERT_EQ(
        RunCli({"arb", "--expr", "t < 0.5 ? 3 : -3", "--points", "4096", Path("sq.csv")}).status,
        0);
    CliRun run = RunCli({"spectrum", Path("sq.csv")});
    ASSERT_EQ(run.status, 0) << run.output;
    std::vector<std::string> lines = run.Lines();
    ASSERT_EQ(lines.size(), 2048u + 1u);
    EXPECT_EQ(lines[0], "1 0.00");
    EXPECT_EQ(lines[2], "3 -9.54");
    EXPECT_EQ(lines[4], "5 -13.98");
    EXPECT_EQ(lines[1].substr(0, 3), "2 -");
    EXPECT_LT(std::stod(lines[1].substr(2)), -80.0);
    ASSERT_EQ(lines.back().substr(0, 4), "THD ");
    EXPECT_EQ(lines.back().substr(lines.back().size() - 2), " %");
    EXPECT_NEAR(std::stod(lines.back().substr(4)), 48.3, 1.0);
}

struct BadRun {
    const char* name;
    std::vector<std::string> args;  // "data:" and "scratch:" name files
    std::string contents;           // written to scratch:bad.csv first, when not empty
    int status;
    std::string output;  // "DATA/" and "SCRATCH/" stand for the folders
};

class CliArbErrorTest : public CliArbTest, public ::testing::WithParamInterface<BadRun> {
  protected:
    std::string Expand(std::string text) const {
        for (auto [mark, folderPath] : {std::pair<std::string, std::string>{"data:", DataFile("")},
                                        {"scratch:", Path("")},
                                        {"DATA/", DataFile("")},
                                        {"SCRATCH/", Path("")}}) {
            for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
                text.replace(at, mark.size(), folderPath);
            }
        }
        return text;
    }
};

TEST_P(CliArbErrorTest, PrintsOneLineAndFails) {
    const BadRun& bad = GetParam();
    if (!bad.contents.empty()) {
        folder.Write("bad.csv", bad.contents);
    }
    std::vector<std::string> args;
    for (const std::string& arg : bad.args) {
        args.push_back(Expand(arg));
    }
    CliRun run = RunCli(args);
    EXPECT_EQ(run.status, bad.status);
    EXPECT_EQ(run.output, Expand(bad.output));
    EXPECT_FALSE(std::filesystem::exists(folder / "out.csv")) << "nothing is written";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CliArbErrorTest,
    ::testing::Values(
        BadRun{"TextInTheMiddle",
               {"arb", "--import", "data:text_in_middle.csv", "scratch:out.csv"},
               "",
               1,
               "DATA/text_in_middle.csv:4: expected a number, found \"oops\" in column 2\n"},
        BadRun{"ExtraColumn",
               {"arb", "--import", "data:extra_column.csv", "scratch:out.csv"},
               "",
               1,
               "DATA/extra_column.csv:3: expected 2 columns, found 3: \"0.1,0.2,0.3\"\n"},
        BadRun{"NoValues",
               {"arb", "--import", "data:no_values.txt", "scratch:out.csv"},
               "",
               1,
               "DATA/no_values.txt: expected one or more lines of numbers, found none\n"},
        BadRun{"ColumnBeyondTheFile",
               {"arb", "--import", "data:time_volts.csv", "--column", "3", "scratch:out.csv"},
               "",
               1,
               "DATA/time_volts.csv:2: column 3 requested, but the file has 2 columns\n"},
        BadRun{"MissingImport",
               {"arb", "--import", "scratch:absent.txt", "scratch:out.csv"},
               "",
               1,
               "SCRATCH/absent.txt: cannot read the file: No such file or directory\n"},
        BadRun{"BadExpression",
               {"arb", "--expr", "2 * foo(t)", "scratch:out.csv"},
               "",
               1,
               "expression '2 * foo(t)', position 4: Unexpected token \"foo\" found at position "
               "4.\n"},
        BadRun{"PointWithoutValue",
               {"arb", "--expr", "sqrt(0.5 - t)", "--points", "4", "scratch:out.csv"},
               "",
               1,
               "expression 'sqrt(0.5 - t)': no value at point 3 (t = 0.75)\n"},
        BadRun{"OutputFolderMissing",
               {"arb", "--expr", "t", "scratch:absent/out.csv"},
               "",
               1,
               "SCRATCH/absent/out.csv: Cann't Save file: No such file or directory\n"},
        BadRun{"SpectrumOfAMissingFile",
               {"spectrum", "scratch:absent.csv"},
               "",
               1,
               "Cannot read file SCRATCH/absent.csv: No such file or directory\n"},
        BadRun{"SpectrumOfARefusedCsv",
               {"spectrum", "scratch:bad.csv"},
               "#CLOCK=1000\r\n#SIZE=0\r\n",
               1,
               "SCRATCH/bad.csv: Points is too few!!!\n"},
        BadRun{"SpectrumOfAConstant",
               {"spectrum", "scratch:bad.csv"},
               "#CLOCK=1000\r\n#SIZE=2\r\n1.0,0,0\r\n1.0,0,0\r\n",
               1,
               "SCRATCH/bad.csv: no fundamental: the wave is constant\n"},
        BadRun{"NeitherSource",
               {"arb", "scratch:out.csv"},
               "",
               2,
               "korvaneawg-cli: arb needs either --expr EXPR or --import FILE\n"},
        BadRun{"BothSources",
               {"arb", "--expr", "t", "--import", "x.txt", "scratch:out.csv"},
               "",
               2,
               "korvaneawg-cli: arb needs either --expr EXPR or --import FILE\n"},
        BadRun{"PointsBeyondTheTable",
               {"arb", "--expr", "t", "--points", "4097", "scratch:out.csv"},
               "",
               2,
               "korvaneawg-cli: --points takes a whole number from 1 to 4096, not '4097'\n"},
        BadRun{"NegativePeak",
               {"arb", "--expr", "t", "--peak", "-1", "scratch:out.csv"},
               "",
               2,
               "korvaneawg-cli: --peak takes a voltage above 0, not '-1'\n"},
        BadRun{"ColumnWithAnExpression",
               {"arb", "--expr", "t", "--column", "2", "scratch:out.csv"},
               "",
               2,
               "korvaneawg-cli: --column goes with --import only\n"},
        BadRun{"NoOutput",
               {"arb", "--expr", "t"},
               "",
               2,
               "korvaneawg-cli: arb needs exactly one output FILE.csv\n"},
        BadRun{"OptionWithoutValue",
               {"arb", "scratch:out.csv", "--expr"},
               "",
               2,
               "korvaneawg-cli: --expr needs a value\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
