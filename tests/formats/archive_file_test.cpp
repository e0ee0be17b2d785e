#include "formats/archive_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/csv_file.h"
#include "i18n/language_table.h"
#include "scratch_folder.h"

namespace korvane {
namespace {

// ASCII text as UTF-16LE bytes.
std::string Wide(const std::string& text) {
    std::string bytes;
    for (char c : text) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

TEST(FormatArchive, WritesUtf16LinesEndedByLfAlone) {
    WaveformData waveform{123.0f, {1.0f, -0.5f}};
    EXPECT_EQ(FormatArchive(waveform),
              Wide("#CLOCK=123.000000\n#SIZE=2\n1.000000,0,0\n-0.500000,0,0\n"));
}

TEST(ParseArchive, ReadsWhatFormatArchiveWrote) {
    WaveformData written{4082000.0f, {0.25f, -3.5f, 3.5f, 0.0f}};
    WaveformData read;
    ASSERT_EQ(ParseArchive(FormatArchive(written), read), WaveformError::None);
    EXPECT_EQ(read.sampleRate, written.sampleRate);
    EXPECT_EQ(read.points, written.points);
}

struct ArchiveCase {
    const char* what;
    std::string text;
    WaveformError error;
    std::vector<float> points;
};

class ArchiveRuleTest : public ::testing::TestWithParam<ArchiveCase> {};

TEST_P(ArchiveRuleTest, FollowsTheScanfRules) {
    WaveformData waveform{5.0f, {42.0f}};
    EXPECT_EQ(ParseArchive(Wide(GetParam().text), waveform), GetParam().error);
    EXPECT_EQ(waveform.points, GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ArchiveRuleTest,
    ::testing::Values(
        ArchiveCase{"no_hash", "CLOCK=1\n#SIZE=1\n1,0,0\n", WaveformError::NotWaveform, {42.0f}},
        ArchiveCase{
            "wrong_keyword", "#CLOCKS=1\n#SIZE=1\n1,0,0\n", WaveformError::NotWaveform, {42.0f}},
        ArchiveCase{"size_missing", "#CLOCK=1\n", WaveformError::NotWaveform, {42.0f}},
        ArchiveCase{"size_zero", "#CLOCK=1\n#SIZE=0\n", WaveformError::TooFewPoints, {42.0f}},
        ArchiveCase{"size_negative", "#CLOCK=1\n#SIZE=-3\n", WaveformError::TooFewPoints, {42.0f}},
        ArchiveCase{"size_over", "#CLOCK=1\n#SIZE=4097\n", WaveformError::TooManyPoints, {42.0f}},
        ArchiveCase{"size_enormous",
                    "#CLOCK=1\n#SIZE=99999999999999999999999\n",
                    WaveformError::TooManyPoints,
                    {42.0f}},
        ArchiveCase{"infinite_clock",
                    "#CLOCK=1e999\n#SIZE=1\n1,0,0\n",
                    WaveformError::NotWaveform,
                    {42.0f}},
        ArchiveCase{"blanks_and_exponent",
                    "#CLOCK= 1e3\n#SIZE= +2\n  2.5e-1,0,0\n-1,x\n",
                    WaveformError::None,
                    {0.25f, -1.0f}},
        ArchiveCase{"malformed_and_missing_points",
                    "#CLOCK=1\n#SIZE=3\nabc\n2",
                    WaveformError::None,
                    {0.0f, 2.0f, 0.0f}},
        ArchiveCase{"nan_point", "#CLOCK=1\n#SIZE=1\nnan,0,0\n", WaveformError::None, {0.0f}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ParseArchive, ACsvFileWrittenAsSingleByteTextIsNoArchive) {
    // Its first UTF-16 unit is "#C" = 0x4323, not "#".
    WaveformData waveform;
    std::vector<float> points{1.0f};
    EXPECT_EQ(ParseArchive(FormatCsv(10.0f, points), waveform), WaveformError::NotWaveform);
}

TEST(ParseArchive, LooksAtNoMoreThanItsBuffer) {
    // The header sits inside the bound, the only point line just beyond it.
    std::string head = Wide("#CLOCK=1\n#SIZE=1\n");
    std::string filler(kMaxArchiveBytes - head.size() - 2, '\0');
    for (std::size_t i = 0; i < filler.size(); i += 2) {
        filler[i] = ' ';
    }
    std::string bytes = head + filler + Wide("\n7,0,0\n");
    WaveformData waveform;
    ASSERT_EQ(ParseArchive(bytes, waveform), WaveformError::None);
    EXPECT_EQ(waveform.points, std::vector<float>{0.0f});

    // The same text one line shorter puts the point inside the bound.
    std::string near = head + Wide("7,0,0\n");
    ASSERT_EQ(ParseArchive(near, waveform), WaveformError::None);
    EXPECT_EQ(waveform.points, std::vector<float>{7.0f});
}

TEST(ParseArchive, AnOddTrailingByteIsNotAUnit) {
    WaveformData waveform;
    ASSERT_EQ(ParseArchive(Wide("#CLOCK=1\n#SIZE=1\n3") + "\x01", waveform), WaveformError::None);
    EXPECT_EQ(waveform.points, std::vector<float>{3.0f});
}

TEST(ArchiveFile, WritesAndReadsAFile) {
    ScratchFolder folder;
    LanguageTable language;
    WaveformData written{1000.0f, {1.0f, 2.0f}};
    ASSERT_TRUE(WriteArchiveFile(written, folder / "doc.csv").ok);
    WaveformData read;
    ASSERT_TRUE(ReadArchiveFile(folder / "doc.csv", language, read).ok);
    EXPECT_EQ(read.points, written.points);

    folder.Write("many.csv", Wide("#CLOCK=1\n#SIZE=9999\n"));
    FileResult refused = ReadArchiveFile(folder / "many.csv", language, read);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "Value is Over!!!");
    EXPECT_EQ(read.points, written.points);

    FileResult missing = ReadArchiveFile(folder / "none.csv", language, read);
    EXPECT_EQ(missing.message,
              "Cannot read file " + (folder / "none.csv").string() + ": No such file or directory");
}

}  // namespace
}  // namespace korvane
