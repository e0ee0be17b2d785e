// Text waves as spreadsheets and scripts write them: the numbers, what was detected, and errors
// that name the file, the line and what was expected.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <string>
#include <vector>

#include "formats/csv_file.h"
#include "formats/wave_sound_import.h"
#include "formats/wave_text_import.h"
#include "scratch_folder.h"

namespace korvane {
namespace {

std::string DataFile(const std::string& name) {
    return std::string(KORVANE_FORMATS_DATA) + "/" + name;
}

struct TextForm {
    const char* name;
    const char* file;
    char separator;
    bool decimalComma;
    int columns;
    int headerLines;
    int commentLines;
    std::vector<double> firstValues;
    long long pointCount;
    double sampleRate;
};

class WaveTextFormTest : public ::testing::TestWithParam<TextForm> {};

TEST_P(WaveTextFormTest, ReadsTheValuesAndReportsWhatItFound) {
    const TextForm& form = GetParam();
    ImportedWave wave;
    ImportError error;
    ASSERT_TRUE(ImportWaveFile(DataFile(form.file), {}, wave, error)) << error.Text();
    const ImportDetection& found = wave.detection;
    EXPECT_EQ(found.separator, form.separator);
    EXPECT_EQ(found.decimalComma, form.decimalComma);
    EXPECT_EQ(found.columns, form.columns);
    EXPECT_EQ(found.valueColumn, form.columns);
    EXPECT_EQ(found.headerLines, form.headerLines);
    EXPECT_EQ(found.commentLines, form.commentLines);
    EXPECT_EQ(found.pointCount, form.pointCount);
    EXPECT_EQ(found.format, "text");
    ASSERT_EQ(static_cast<long long>(wave.values.size()), form.pointCount);
    for (std::size_t k = 0; k < form.firstValues.size(); ++k) {
        EXPECT_DOUBLE_EQ(wave.values[k], form.firstValues[k]) << "value " << k;
    }
    EXPECT_NEAR(wave.sampleRate, form.sampleRate, 1e-6 * form.sampleRate);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WaveTextFormTest,
    ::testing::Values(
        TextForm{
            "OnePerLine", "one_per_line.txt", '\0', false, 1, 0, 0, {0.0, 1.5, 3.0, 1.5}, 8, 0.0},
        TextForm{"TimeVoltsHeader",
                 "time_volts.csv",
                 ',',
                 false,
                 2,
                 1,
                 0,
                 {0.25, 0.5, -0.75, 1.0},
                 4,
                 1000.0},
        TextForm{"GermanSemicolonComma",
                 "zeit_spannung.csv",
                 ';',
                 true,
                 2,
                 1,
                 2,
                 {0.5, -1.25, 2.0},
                 3,
                 1000.0},
        TextForm{
            "TenThousand", "ten_thousand.txt", '\0', false, 1, 0, 0, {0.0, 0.001257}, 10000, 0.0},
        TextForm{
            "ThreeValues", "three_values.txt", '\0', false, 1, 0, 0, {1.0, -2.0, 0.5}, 3, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

struct SeparatorCase {
    const char* name;
    const char* text;
    char separator;
    bool decimalComma;
    std::vector<double> values;
};

class WaveTextSeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(WaveTextSeparatorTest, DetectsTheSeparatorAndDecimalMark) {
    const SeparatorCase& c = GetParam();
    ImportedWave wave;
    ImportError error;
    ASSERT_TRUE(ParseWaveText(c.text, "w.txt", {}, wave, error)) << error.Text();
    EXPECT_EQ(wave.detection.separator, c.separator);
    EXPECT_EQ(wave.detection.decimalComma, c.decimalComma);
    EXPECT_EQ(wave.values, c.values);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WaveTextSeparatorTest,
    ::testing::Values(
        SeparatorCase{"CommaAndPoint", "0.5,1.5\n1.5,-2.5\n", ',', false, {1.5, -2.5}},
        SeparatorCase{"CommaAndBlank", "0, 1\n1, -2\n", ',', false, {1, -2}},
        SeparatorCase{"Semicolon", "0.5;1.5\n1.5;2.5\n", ';', false, {1.5, 2.5}},
        SeparatorCase{"Tab", "0\t0.25\n1\t-0.5\n", '\t', false, {0.25, -0.5}},
        SeparatorCase{"TabAndComma", "0\t0,25\n1\t-0,5\n", '\t', true, {0.25, -0.5}},
        SeparatorCase{"Blanks", "  0   0.25\n1 -0.5  \n", ' ', false, {0.25, -0.5}},
        SeparatorCase{"BlanksAndComma", "0,0 0,25\n0,1 -0,5\n", ' ', true, {0.25, -0.5}},
        SeparatorCase{"GermanOneColumn", "0,5\n1,25\n-0,5\n", '\0', true, {0.5, 1.25, -0.5}},
        SeparatorCase{
            "RisingIndexColumn", "0,2048\n1,2051\n2,2049\n", ',', false, {2048, 2051, 2049}},
        SeparatorCase{"HeaderSaysComma", "t,v\n1,5\n0,7\n", ',', false, {5, 7}},
        SeparatorCase{"TrailingSeparator", "0.5;\n1.5;\n", ';', false, {0.5, 1.5}},
        SeparatorCase{
            "QuotedFields", "\"t\",\"v\"\n\"0\",\"1.5\"\n\"1\",\"2\"\n", ',', false, {1.5, 2}},
        SeparatorCase{"ByteOrderMarkAndCr",
                      "\xEF\xBB\xBF"
                      "1e-3\r2E1\r+3\r",
                      '\0',
                      false,
                      {0.001, 20, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveTextImportTest, AChosenColumnIsReadAndTheFirstIsNoTimeThen) {
    ImportedWave wave;
    ImportError error;
    ImportOptions options;
    options.column = 1;
    ASSERT_TRUE(ParseWaveText("0.1,5\n0.2,6\n", "w.csv", options, wave, error));
    EXPECT_EQ(wave.values, (std::vector<double>{0.1, 0.2}));
    EXPECT_EQ(wave.detection.valueColumn, 1);
    EXPECT_EQ(wave.sampleRate, 0.0);
}

struct BadText {
    const char* name;
    const char* text;
    int column;
    std::string message;
};

class WaveTextErrorTest : public ::testing::TestWithParam<BadText> {};

TEST_P(WaveTextErrorTest, NamesTheFileTheLineAndWhatWasExpected) {
    const BadText& bad = GetParam();
    ImportedWave wave;
    wave.values = {42.0};
    ImportError error;
    ImportOptions options;
    options.column = bad.column;
    EXPECT_FALSE(ParseWaveText(bad.text, "wave.csv", options, wave, error));
    EXPECT_EQ(error.Text(), bad.message);
    EXPECT_EQ(wave.values, std::vector<double>{42.0}) << "a refused file changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WaveTextErrorTest,
    ::testing::Values(
        BadText{"WordInAColumn", "t,v\n0,1\n1,x2\n", 0,
                "wave.csv:3: expected a number, found \"x2\" in column 2"},
        BadText{"WordsOnALine", "1\n2\nthe end\n", 0,
                "wave.csv:3: expected a number, found \"the end\""},
        BadText{"MissingValue", "1;2\n3;\n", 0, "wave.csv:2: expected 2 columns, found 1: \"3;\""},
        BadText{"EmptyField", "1,2\n,4\n", 0,
                "wave.csv:2: expected a number, found an empty field in column 1"},
        BadText{"TooManyColumns", "1,2\n3,4,5\n", 0,
                "wave.csv:2: expected 2 columns, found 3: \"3,4,5\""},
        BadText{"OutOfRange", "1\n1e999\n", 0,
                "wave.csv:2: expected a number within range, found \"1e999\""},
        BadText{"ColumnBeyondTheFile", "# two columns\n1.5,2\n", 3,
                "wave.csv:2: column 3 requested, but the file has 2 columns"},
        BadText{"NoValues", "time,volts\n# nothing\n", 0,
                "wave.csv: expected one or more lines of numbers, found none"},
        BadText{"Empty", "", 0, "wave.csv: expected one or more lines of numbers, found none"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveTextImportTest, ValuesBeyondTheBoundAreRefusedAtTheFirstLineTooMany) {
    std::string text;
    text.reserve(2 * (kMaxWaveTextValues + 1));
    for (long long k = 0; k <= kMaxWaveTextValues; ++k) {
        text += "0\n";
    }
    ImportedWave wave;
    ImportError error;
    EXPECT_FALSE(ParseWaveText(text, "long.txt", {}, wave, error));
    EXPECT_EQ(error.Text(), "long.txt:10000001: more than 10000000 values");
    EXPECT_TRUE(wave.values.empty());
}

TEST(WaveTextImportTest, BadFilesInTheDataFolderNameTheirLine) {
    ImportedWave wave;
    ImportError error;
    EXPECT_FALSE(ImportWaveFile(DataFile("text_in_middle.csv"), {}, wave, error));
    EXPECT_EQ(error.Text(),
              DataFile("text_in_middle.csv") + ":4: expected a number, found \"oops\" in column 2");
    EXPECT_FALSE(ImportWaveFile(DataFile("extra_column.csv"), {}, wave, error));
    EXPECT_EQ(error.Text(),
              DataFile("extra_column.csv") + ":3: expected 2 columns, found 3: \"0.1,0.2,0.3\"");
    EXPECT_FALSE(ImportWaveFile(DataFile("no_values.txt"), {}, wave, error));
    EXPECT_EQ(error.Text(),
              DataFile("no_values.txt") + ": expected one or more lines of numbers, found none");
}

TEST(WaveTextImportTest, AMissingFileOrAPipeIsNamedWithTheSystemsReason) {
    ScratchFolder folder;
    ImportedWave wave;
    ImportError error;
    std::string missing = (folder / "absent.txt").string();
    EXPECT_FALSE(ImportWaveFile(missing, {}, wave, error));
    EXPECT_EQ(error.Text(), missing + ": cannot read the file: No such file or directory");
    std::string pipe = (folder / "pipe.txt").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ImportWaveFile(pipe, {}, wave, error));
    EXPECT_EQ(error.Text(), pipe + ": cannot read the file: Invalid argument");
}

TEST(WaveTextImportTest, AFileBeyondTheSizeBoundIsRefusedWithoutReadingIt) {
    ScratchFolder folder;
    folder.Write("huge.txt", std::string(kMaxWaveTextBytes + 1, '1'));
    ImportedWave wave;
    ImportError error;
    EXPECT_FALSE(ReadWaveTextFile(folder / "huge.txt", {}, wave, error));
    EXPECT_EQ(error.Text(), (folder / "huge.txt").string() + ": the file is larger than 64 MB");
}

TEST(WaveTextImportTest, TheProgramsOwnCsvGivesItsPointsAndRate) {
    ImportedWave wave;
    ImportError error;
    ASSERT_TRUE(ParseWaveText(FormatCsv(4000.0f, std::vector<float>{0.5f, -1.25f, 3.0f}), "own.csv",
                              {}, wave, error))
        << error.Text();
    EXPECT_EQ(wave.values, (std::vector<double>{0.5, -1.25, 3.0}));
    EXPECT_EQ(wave.sampleRate, 4000.0);
    EXPECT_EQ(wave.detection.format, "waveform CSV");
    EXPECT_EQ(wave.detection.pointCount, 3);

    EXPECT_FALSE(ParseWaveText("#CLOCK=1000\r\n#SIZE=0\r\n", "own.csv", {}, wave, error));
    EXPECT_EQ(error.Text(),
              "own.csv:2: expected #SIZE= of 1 or more points and as many point lines");
    EXPECT_FALSE(ParseWaveText("#CLOCK=1000\r\n#SIZE=3\r\n1,0,0\r\n", "own.csv", {}, wave, error));
    EXPECT_EQ(error.Text(),
              "own.csv:2: expected #SIZE= of 1 or more points and as many point lines");
    EXPECT_FALSE(ParseWaveText("#CLOCK=1000\r\n#SIZE=4097\r\n", "own.csv", {}, wave, error));
    EXPECT_EQ(error.Text(), "own.csv:2: expected #SIZE= of at most 4096 points");
}

// One period lasts as long as the file's values did; without a rate the frequency stays.
TEST(ImportedWaveformTest, TheTablesRateFollowsTheFilesDuration) {
    WaveformData timed = ImportedWaveform({0.5f, -0.5f}, 10000, 48000.0, 1000.0);
    EXPECT_EQ(timed.points, (std::vector<float>{0.5f, -0.5f}));
    EXPECT_FLOAT_EQ(timed.sampleRate, 2.0f * 4.8f);  // 10,000 values at 48 kHz: 4.8 Hz
    WaveformData untimed = ImportedWaveform({0.5f, -0.5f, 0.0f}, 3, 0.0, 1000.0);
    EXPECT_FLOAT_EQ(untimed.sampleRate, 3000.0f);
}

}  // namespace
}  // namespace korvane
