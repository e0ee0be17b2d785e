#include "i18n/device_description.h"

#include <gtest/gtest.h>

#include <string>

#include "i18n/language_table.h"
#include "support/temp_folder.h"

namespace korvane {
namespace {

constexpr DeviceIdentity::Kind kOutput = DeviceIdentity::Kind::kSoundCardOutput;
constexpr DeviceIdentity::Side kLeft = DeviceIdentity::Side::kLeft;
constexpr DeviceIdentity::Side kRight = DeviceIdentity::Side::kRight;

struct EnglishCase {
    const char* name;
    DeviceIdentity identity;
    const char* expected;
};

class EnglishDeviceDescription : public ::testing::TestWithParam<EnglishCase> {};

TEST_P(EnglishDeviceDescription, NamesTheOutputAndItsPcm) {
    EXPECT_EQ(DeviceDescription(GetParam().identity, LanguageTable()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    BuiltIn, EnglishDeviceDescription,
    ::testing::Values(
        EnglishCase{"LeftDefault", {kOutput, kLeft, "default"}, "Sound card left output (default)"},
        EnglishCase{"RightHardware",
                    {kOutput, kRight, "hw:CARD=PCH,DEV=0"},
                    "Sound card right output (hw:CARD=PCH,DEV=0)"},
        // A '%' in the PCM's name is the name's own, not a conversion.
        EnglishCase{
            "PercentInPcmName", {kOutput, kLeft, "odd%s%d"}, "Sound card left output (odd%s%d)"},
        EnglishCase{"Generator", {}, ""},  // a generator
        EnglishCase{"GeneratorWithPcm", {DeviceIdentity::Kind::kGenerator, kRight, "default"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The description in a language file holding `left` as key 2128 and `right` as key 2129.
std::string DescribedIn(const char* left, const char* right, DeviceIdentity identity) {
    testing::TempFolder program;
    testing::TempFolder temp;
    program.Write("language/Test.lug",
                  std::string("[App]\r\n8888=Test\r\n2128=") + left + "\r\n2129=" + right + "\r\n");
    LanguageTable table;
    table.ScanLanguageFiles(program.path(), temp.path());
    table.SelectLanguage(0);
    return DeviceDescription(identity, table);
}

TEST(TranslatedDeviceDescription, TakesTheLanguageFilesWording) {
    EXPECT_EQ(DescribedIn("Links: %s", "Rechts: %s", {kOutput, kRight, "null"}), "Rechts: null");
    EXPECT_EQ(DescribedIn("Links: %s", "Rechts: %s", {kOutput, kLeft, "null"}), "Links: null");
}

TEST(TranslatedDeviceDescription, AWordingWithoutTheOneStringConversionFallsBackToEnglish) {
    // Missing, without "%s", with another conversion, with a second one.
    for (const char* wrong : {"", "Links", "Links %d", "%s links %s", "100% %s"}) {
        EXPECT_EQ(DescribedIn(wrong, wrong, {kOutput, kLeft, "null"}),
                  "Sound card left output (null)")
            << wrong;
    }
}

}  // namespace
}  // namespace korvane
