#include "formats/csv_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "channel_fixture.h"
#include "i18n/language_table.h"
#include "scratch_folder.h"

namespace korvane {
namespace {

TEST(FormatCsv, WritesHeaderAndPointLinesWithCrLf) {
    std::vector<float> points{0.5f, -1.25f, 0.0f};
    EXPECT_EQ(FormatCsv(3000.0f, points),
              "#CLOCK=3000.000000\r\n#SIZE=3\r\n0.500000,0,0\r\n-1.250000,0,0\r\n0.000000,0,0\r\n");
}

WaveformData Parsed(const std::string& text) {
    WaveformData waveform;
    EXPECT_EQ(ParseCsv(text, waveform), WaveformError::None) << text;
    return waveform;
}

TEST(ParseCsv, ReadsWhatFormatCsvWrote) {
    std::vector<float> points{0.5f, -1.25f, 3.0f, -3.5f};
    WaveformData waveform = Parsed(FormatCsv(4000.0f, points));
    EXPECT_EQ(waveform.sampleRate, 4000.0f);
    EXPECT_EQ(waveform.points, points);
}

struct LineCase {
    const char* what;
    std::string text;
    float sampleRate;
    std::vector<float> points;
};

class CsvLineRuleTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CsvLineRuleTest, ReadsTolerantly) {
    WaveformData waveform = Parsed(GetParam().text);
    EXPECT_EQ(waveform.sampleRate, GetParam().sampleRate);
    EXPECT_EQ(waveform.points, GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CsvLineRuleTest,
    ::testing::Values(
        LineCase{"voltage_without_comma_is_zero",
                 "#CLOCK=10\n#SIZE=2\n1.5\n2.5,7,9\n",
                 10.0f,
                 {0.0f, 2.5f}},
        LineCase{"blank_before_voltage_is_zero",
                 "#CLOCK=10\n#SIZE=2\n 1.5,0,0\n-0.5,0,0\n",
                 10.0f,
                 {0.0f, -0.5f}},
        LineCase{"exponent_notation_is_zero", "#CLOCK=10\n#SIZE=1\n1e-1,0,0\n", 10.0f, {0.0f}},
        LineCase{"size_followed_by_comma",
                 "#CLOCK=10\n#SIZE=2,extra\n1,0,0\n2,0,0\n",
                 10.0f,
                 {1.0f, 2.0f}},
        LineCase{"no_hash_still_sets_the_rate", "CLOCK=250.5\n#SIZE=1\n1,0,0\n", 250.5f, {1.0f}},
        LineCase{"keyword_not_examined", "#WHATEVER=8\nfoo=1\n-2,0,0\n", 8.0f, {-2.0f}},
        LineCase{"line_without_equals_keeps_whole_line", "16\n1\n1,0,0\n", 16.0f, {1.0f}},
        LineCase{"rate_before_comma", "#CLOCK=12.5,0\n#SIZE=1\n1,0,0\n", 12.5f, {1.0f}},
        LineCase{"malformed_rate_is_zero", "#CLOCK=fast\n#SIZE=1\n1,0,0\n", 0.0f, {1.0f}},
        LineCase{
            "last_line_without_line_end", "#CLOCK=10\n#SIZE=2\n1,0,0\n2,0,0", 10.0f, {1.0f, 2.0f}},
        LineCase{
            "empty_line_is_a_zero_point", "#CLOCK=10\n#SIZE=2\n\n2,0,0\n", 10.0f, {0.0f, 2.0f}},
        LineCase{
            "surplus_lines_ignored", "#CLOCK=10\n#SIZE=1\n1,0,0\n2,0,0\n3,0,0\n", 10.0f, {1.0f}},
        LineCase{
            "lf_and_crlf_mixed", "#CLOCK=10\r\n#SIZE=2\n1,0,0\r\n2,0,0\n", 10.0f, {1.0f, 2.0f}},
        LineCase{"second_equals_belongs_to_value", "#CLOCK=5=6\n#SIZE=1\n1,0,0\n", 0.0f, {1.0f}},
        LineCase{"huge_voltage_reads_as_zero",
                 "#CLOCK=10\n#SIZE=1\n" + std::string(400, '9') + ",0,0\n",
                 10.0f,
                 {0.0f}}),
    [](const auto& info) { return std::string(info.param.what); });

struct CountCase {
    const char* what;
    std::string sizeLine;
    WaveformError error;
};

class CsvCountTest : public ::testing::TestWithParam<CountCase> {};

// A file cut short would otherwise play zeros in place of its lost points.
TEST(CsvShortFileTest, FewerPointLinesThanTheCountAreRefused) {
    for (const char* text : {"#CLOCK=1000\n#SIZE=4096\n", "#CLOCK=1000\r\n#SIZE=3\r\n",
                             "#CLOCK=10\n#SIZE=4\n1,0,0\n2,0,0", "#CLOCK=10\n#SIZE=2"}) {
        WaveformData waveform;
        waveform.points = {9.0f};
        EXPECT_EQ(ParseCsv(text, waveform), WaveformError::TooFewPoints) << text;
        EXPECT_EQ(waveform.points, std::vector<float>{9.0f}) << text;
    }
}

TEST_P(CsvCountTest, ACountOutsideTheTableIsRefused) {
    WaveformData waveform;
    waveform.sampleRate = 77.0f;
    waveform.points = {9.0f};
    std::string text = "#CLOCK=1000\n" + GetParam().sizeLine + "\n1,0,0\n";
    EXPECT_EQ(ParseCsv(text, waveform), GetParam().error);
    EXPECT_EQ(waveform.sampleRate, 77.0f);  // untouched
    EXPECT_EQ(waveform.points, std::vector<float>{9.0f});
}

INSTANTIATE_TEST_SUITE_P(
    Table, CsvCountTest,
    ::testing::Values(CountCase{"zero", "#SIZE=0", WaveformError::TooFewPoints},
                      CountCase{"blank_after_equals", "#SIZE= 5", WaveformError::TooFewPoints},
                      CountCase{"negative_text", "#SIZE=-5", WaveformError::TooFewPoints},
                      CountCase{"wraps_negative", "#SIZE=4294967295", WaveformError::TooFewPoints},
                      CountCase{"above_table", "#SIZE=4097", WaveformError::TooManyPoints},
                      CountCase{"far_above", "#SIZE=2000000000", WaveformError::TooManyPoints}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ParseCsv, AnEmptyTextHasNoPoints) {
    WaveformData waveform;
    EXPECT_EQ(ParseCsv("", waveform), WaveformError::TooFewPoints);
}

TEST(ParseCsv, TheWholeTableFits) {
    std::string text = "#CLOCK=4096000\n#SIZE=4096\n";
    for (int k = 0; k < 4096; ++k) {
        text += std::to_string(k % 7) + ",0,0\n";
    }
    WaveformData waveform = Parsed(text);
    ASSERT_EQ(waveform.points.size(), 4096u);
    EXPECT_EQ(waveform.points[4095], 4095 % 7);
}

class CsvFileTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    LanguageTable language;
};

TEST_F(CsvFileTest, SavingWritesTheRateAsPointsTimesFrequency) {
    ChannelFixture source;
    ChannelState& c = source.channel;
    c.waveType = Arbitrary;
    c.arbPointCount = 1000;
    c.frequency = 1000.0;
    for (int k = 0; k < 1000; ++k) {
        c.arbPoints[static_cast<std::size_t>(k)] = k < 500 ? 1.5f : -1.5f;
    }
    ASSERT_TRUE(ExportCsv(c, folder / "wave.csv").ok);
    std::string text = folder.Read("wave.csv");
    EXPECT_EQ(text.rfind("#CLOCK=1000000.000000\r\n#SIZE=1000\r\n1.500000,0,0\r\n", 0), 0u);
    EXPECT_EQ(c.arbSampleRate.load(), 1000000.0f);
    std::size_t lines = 0;
    for (char ch : text) {
        lines += ch == '\n';
    }
    EXPECT_EQ(lines, 1002u);
    EXPECT_EQ(text.substr(text.size() - 15), "-1.500000,0,0\r\n");
}

TEST_F(CsvFileTest, ARoundTripRestoresTheTableAndTheFrequency) {
    ChannelFixture source;
    source.channel.arbPointCount = 200;
    source.channel.frequency = 2500.0;
    for (int k = 0; k < 200; ++k) {
        source.channel.arbPoints[static_cast<std::size_t>(k)] = static_cast<float>(k - 100) / 64.0f;
    }
    ASSERT_TRUE(ExportCsv(source.channel, folder / "round.csv").ok);

    ChannelFixture target(true);
    target.DrainQueue();
    FileResult result = ImportCsv(target.channel, folder / "round.csv", language);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(target.channel.arbPointCount.load(), 200);
    EXPECT_EQ(target.channel.arbSampleRate.load(), 500000.0f);
    EXPECT_EQ(target.channel.frequency.load(), 2500.0);
    for (int k = 0; k < 200; ++k) {
        EXPECT_EQ(target.channel.arbPoints[static_cast<std::size_t>(k)].load(),
                  static_cast<float>(k - 100) / 64.0f);
    }
    // A real device gets the new frequency and a download queued.
    EXPECT_EQ(target.channel.QueuedCommands(), (std::vector<int>{2, 1}));
}

// Everything ImportCsv may touch, to prove a refused file changed nothing.
struct ChannelPicture {
    double frequency;
    float sampleRate;
    int pointCount;
    std::vector<float> points;
    std::vector<int> queue;
    bool operator==(const ChannelPicture&) const = default;
};

ChannelPicture Picture(const ChannelState& c) {
    ChannelPicture p{c.frequency, c.arbSampleRate, c.arbPointCount, {}, c.QueuedCommands()};
    for (const auto& point : c.arbPoints) {
        p.points.push_back(point);
    }
    return p;
}

TEST_F(CsvFileTest, ARefusedCountLeavesTheChannelExactlyAsItWas) {
    ChannelFixture target(true);
    target.channel.arbPoints[0] = 1.0f;
    target.channel.arbPoints[4095] = -1.0f;
    ChannelPicture before = Picture(target.channel);

    folder.Write("zero.csv", "#CLOCK=1000\r\n#SIZE=0\r\n");
    FileResult zero = ImportCsv(target.channel, folder / "zero.csv", language);
    EXPECT_FALSE(zero.ok);
    EXPECT_EQ(zero.message, "Points is too few!!!");

    std::string big = "#CLOCK=1000\r\n#SIZE=5000\r\n";
    for (int k = 0; k < 5000; ++k) {
        big += "2.0,0,0\r\n";
    }
    folder.Write("big.csv", big);
    FileResult over = ImportCsv(target.channel, folder / "big.csv", language);
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(over.message, "Value is Over!!!");

    EXPECT_TRUE(Picture(target.channel) == before);
}

struct RateCase {
    const char* what;
    const char* clock;
    int count;
    double frequency;
};

class CsvRateTest : public CsvFileTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(CsvRateTest, TheFrequencyIsLimitedLikeATypedOne) {
    std::string text = std::string("#CLOCK=") + GetParam().clock +
                       "\r\n#SIZE=" + std::to_string(GetParam().count) + "\r\n";
    for (int k = 0; k < GetParam().count; ++k) {
        text += "0.000000,0,0\r\n";
    }
    folder.Write("rate.csv", text);
    ChannelFixture target;
    ASSERT_TRUE(ImportCsv(target.channel, folder / "rate.csv", language).ok);
    EXPECT_EQ(target.channel.frequency.load(), GetParam().frequency);
    EXPECT_FLOAT_EQ(target.channel.arbSampleRate.load(),
                    static_cast<float>(GetParam().frequency * GetParam().count));
}

INSTANTIATE_TEST_SUITE_P(Table, CsvRateTest,
                         ::testing::Values(RateCase{"zero", "0", 100, 1.0},
                                           RateCase{"negative", "-5000", 100, 1.0},
                                           RateCase{"malformed", "abc", 100, 1.0},
                                           RateCase{"too_slow", "50", 100, 1.0},
                                           RateCase{"too_fast", "1000000000000", 10, 25e6},
                                           RateCase{"in_range", "100000", 100, 1000.0}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(CsvFileTest, AMissingFileIsNamedWithTheSystemsReason) {
    ChannelFixture target;
    FileResult result = ImportCsv(target.channel, folder / "absent.csv", language);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Cannot read file " + (folder / "absent.csv").string() +
                                  ": No such file or directory");
}

TEST_F(CsvFileTest, AFolderThatCannotBeWrittenGivesTheSystemsReason) {
    ChannelFixture source;
    FileResult result = ExportCsv(source.channel, folder / "missing" / "wave.csv");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Cann't Save file: No such file or directory");
}

TEST_F(CsvFileTest, SavingReplacesAnOlderFileCompletely) {
    folder.Write("wave.csv", std::string(100000, 'x'));
    ChannelFixture source;
    source.channel.arbPointCount = 2;
    ASSERT_TRUE(ExportCsv(source.channel, folder / "wave.csv").ok);
    EXPECT_EQ(folder.Read("wave.csv"),
              "#CLOCK=2000.000000\r\n#SIZE=2\r\n0.000000,0,0\r\n0.000000,0,0\r\n");
}

struct HeaderCase {
    const char* name;
    const char* text;
    bool programs;
};

class ProgramCsvHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

// A dropped file that begins as the program writes its CSV files opens as one; any other text
// goes to the import preview.
TEST_P(ProgramCsvHeaderTest, IsTheHeaderTheProgramWrites) {
    EXPECT_EQ(HasProgramCsvHeader(GetParam().text), GetParam().programs);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProgramCsvHeaderTest,
    ::testing::Values(HeaderCase{"Saved", "#CLOCK=2000.000000\r\n#SIZE=2\r\n0.5,0,0\r\n", true},
                      HeaderCase{"LfOnly", "#CLOCK=1\n#SIZE=1\n0,0,0\n", true},
                      HeaderCase{"TimeVolts", "time,volts\n0,1\n", false},
                      HeaderCase{"SizeFirst", "#SIZE=2\r\n#CLOCK=2\r\n", false},
                      HeaderCase{"ClockOnly", "#CLOCK=2000\r\n0.5\r\n", false},
                      HeaderCase{"Comment", "# exported\n1\n2\n", false},
                      HeaderCase{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CsvFileTest, AProgramCsvFileIsKnownByItsBeginningAndAMissingOneIsNot) {
    ChannelFixture source;
    source.channel.arbPointCount = 2;
    ASSERT_TRUE(ExportCsv(source.channel, folder / "wave.csv").ok);
    EXPECT_TRUE(IsProgramCsvFile(folder / "wave.csv"));
    folder.Write("scope.csv", "time,volts\n0,1\n");
    EXPECT_FALSE(IsProgramCsvFile(folder / "scope.csv"));
    EXPECT_FALSE(IsProgramCsvFile(folder / "missing.csv"));
}

}  // namespace
}  // namespace korvane
