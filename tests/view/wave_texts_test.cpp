#include <gtest/gtest.h>

#include "support/param_name.h"

#include "view/wave_texts.h"

namespace korvane {
namespace {

struct DigitalCase {
    std::uint16_t out;
    std::uint16_t in;
    bool lowerCase;
    const char* text;
};

class DigitalWordsTextTest : public ::testing::TestWithParam<DigitalCase> {};

TEST_P(DigitalWordsTextTest, Formats) {
    const DigitalCase& c = GetParam();
    EXPECT_EQ(DigitalWordsText(c.out, c.in, c.lowerCase).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Words, DigitalWordsTextTest,
                         ::testing::Values(DigitalCase{0xABC, 0xFF, false, "Dout:ABCH   Din:3FH"},
                                           DigitalCase{0x005, 0x03, false, "Dout:005H   Din:03H"},
                                           DigitalCase{0xFFF, 0xC0, false,
                                                       "Dout:FFFH   Din:00H"},  // serial bits
                                           DigitalCase{0x000, 0x3C, false, "Dout:000H   Din:3CH"},
                                           DigitalCase{0xABC, 0xFF, true, "Dout:abcH   Din:3fH"},
                                           DigitalCase{0x005, 0x03, true, "Dout:005H   Din:03H"}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName(p.text,
                                                    p.lowerCase ? "lowerCase" : "upperCase");
                         });

TEST(WaveTextsTest, AmplitudeLine) {
    EXPECT_EQ(AmplitudeText(2.0f, 1000.0).toStdString(), "Amp = 2.000V  Freq = 1000.000Hz");
    EXPECT_EQ(AmplitudeText(0.0125f, 75000000.0).toStdString(),
              "Amp = 0.013V  Freq = 75000000.000Hz");
}

TEST(WaveTextsTest, CursorReadoutCarriesValueLabelAndIndex) {
    EXPECT_EQ(CursorReadout(1.25f, "At Point", 17).toStdString(), "1.250V At Point 17");
    EXPECT_EQ(CursorReadout(-3.5f, "Punkt", 0).toStdString(), "-3.500V Punkt 0");
}

TEST(WaveTextsTest, PointsPerPeriodDividesByThePeriods) {
    EXPECT_EQ(PointsPerPeriodText(4000, 2).toStdString(), "2000 Points per Period");
    EXPECT_EQ(PointsPerPeriodText(4082, 1).toStdString(), "4082 Points per Period");
    EXPECT_EQ(PointsPerPeriodText(1000, 0).toStdString(), "1000 Points per Period");
}

QString CheckedPoints(const QString& candidate) {
    return CheckedLineFormat(candidate, kPointsPerPeriodFormat);
}

QString CheckedAmplitude(const QString& candidate) {
    return CheckedLineFormat(candidate, kAmplitudeFormat);
}

// A language's template is used when it has the program's conversions, otherwise the program's.
TEST(WaveTextsTest, LinesTakeOnlyASoundTemplateFromTheLanguage) {
    EXPECT_EQ(PointsPerPeriodText(300, 1, CheckedPoints(QStringLiteral("每周期 %d 点"))),
              QStringLiteral("每周期 300 点"));
    EXPECT_EQ(PointsPerPeriodText(300, 1, CheckedPoints(QStringLiteral("%s Punkte"))),
              QStringLiteral("300 Points per Period"));
    EXPECT_EQ(PointsPerPeriodText(300, 1, CheckedPoints(QString())),
              QStringLiteral("300 Points per Period"));
    EXPECT_EQ(AmplitudeText(2.0f, 1000.0,
                            CheckedAmplitude(QStringLiteral("Ampl. = %.3lfV  Freq. = %.3lfHz"))),
              QStringLiteral("Ampl. = 2.000V  Freq. = 1000.000Hz"));
    EXPECT_EQ(AmplitudeText(2.0f, 1000.0, CheckedAmplitude(QStringLiteral("%n%.3lf %.3lf"))),
              QStringLiteral("Amp = 2.000V  Freq = 1000.000Hz"));
}

}  // namespace
}  // namespace korvane
