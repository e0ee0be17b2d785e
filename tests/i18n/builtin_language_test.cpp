#include "i18n/builtin_language.h"

#include <gtest/gtest.h>

#include "support/param_name.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/ini_document.h"

namespace korvane {
namespace {

TEST(BuiltInLanguageTest, IsTheAppSectionWithCrLfLinesAndAnEmptyLastLine) {
    const std::string_view bytes = BuiltInLanguageBytes();
    EXPECT_TRUE(bytes.starts_with("[App]\r\n8888=English\r\n100=About\r\n"));
    EXPECT_TRUE(bytes.ends_with("\r\n57667=Help \r\n\r\n"));
    // "[App]", 251 texts and the empty line.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 253);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 253);
    EXPECT_EQ(bytes.find("\n\r\n"), bytes.size() - 3) << "no empty line before the last";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_EQ(bytes[i - 1], '\r') << "at byte " << i;
        }
        ASSERT_LT(static_cast<unsigned char>(bytes[i]), 0x80) << "at byte " << i;
    }
}

TEST(BuiltInLanguageTest, Key1055OccursTwiceAndEveryOtherKeyOnce) {
    std::vector<std::string> keys;
    std::vector<std::string> values;
    ASSERT_EQ(
        IniDocument::Parse(std::string(BuiltInLanguageBytes())).ReadSection("App", keys, values),
        251);
    const auto first = std::find(keys.begin(), keys.end(), "1055");
    ASSERT_NE(first, keys.end());
    EXPECT_EQ(values[first - keys.begin()], "KorvaneAWG");
    const auto second = std::find(first + 1, keys.end(), "1055");
    ASSERT_NE(second, keys.end());
    EXPECT_EQ(values[second - keys.begin()], "Change");
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()) - keys.begin(),
              std::find(keys.begin(), keys.end(), "1055") - keys.begin());
    EXPECT_EQ(std::unique(keys.begin(), keys.end()) - keys.begin(), 250);
}

struct EntryCase {
    std::size_t index;
    const char* key;
    const char* value;
};

class BuiltInEntryTest : public ::testing::TestWithParam<EntryCase> {};

// Landmarks of the file order, trailing blanks included.
TEST_P(BuiltInEntryTest, StandsAtItsPlace) {
    std::vector<std::string> keys;
    std::vector<std::string> values;
    IniDocument::Parse(std::string(BuiltInLanguageBytes())).ReadSection("App", keys, values);
    ASSERT_LT(GetParam().index, keys.size());
    EXPECT_EQ(keys[GetParam().index], GetParam().key);
    EXPECT_EQ(values[GetParam().index], GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Landmarks, BuiltInEntryTest,
    ::testing::Values(
        EntryCase{0, "8888", "English"}, EntryCase{13, "145", "Digital Input"},
        EntryCase{14, "1055", "KorvaneAWG"},
        EntryCase{15, "1117", "Arbitrary waveform generator control program"},
        EntryCase{16, "1127", "OK"}, EntryCase{17, "1048", "Cancel"}, EntryCase{18, "800", "&File"},
        EntryCase{20, "80001", "&Close "}, EntryCase{21, "80002", "--"},
        EntryCase{72, "80502", "Close Output Power On "}, EntryCase{75, "8050400", "Default(En)"},
        EntryCase{76, "8050401", "--"}, EntryCase{84, "1097", "Ramp"},
        EntryCase{166, "2069", "Digital Out Pin (H: 3.3V, L:GND)"},
        EntryCase{167, "2065", "The manual could not be opened. Open it in a browser: %s"},
        EntryCase{169, "2067", "CLIPPED"}, EntryCase{170, "2063", "%d Points per Period"},
        EntryCase{171, "2064", "Amp = %.3lfV  Freq = %.3lfHz"},
        EntryCase{172, "2068", "Cannot read file %s: %s"},
        EntryCase{173, "2071", "Arbitrary Function Generator"},
        EntryCase{178, "2076", "Cann't Save file: %s"}, EntryCase{189, "2087", "Remote failed: %s"},
        EntryCase{223, "8889", "en"}, EntryCase{224, "80505", "Remote Control..."},
        EntryCase{225, "80506", "Sound card output..."},
        EntryCase{226, "80507", "Synchronize Outputs"},
        EntryCase{232, "2127", "Takes effect at the next start of the program."},
        EntryCase{233, "2128", "Sound card left output (%s)"},
        EntryCase{234, "2129", "Sound card right output (%s)"},
        EntryCase{235, "2130", "%s is set: it is used in place of this choice."},
        EntryCase{236, "2131", "%s are set: they are used in place of this choice."},
        EntryCase{237, "2240", "Smooth"}, EntryCase{192, "2090", "Import Wave"},
        EntryCase{250, "57667", "Help "}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName("key", p.key);
    });

}  // namespace
}  // namespace korvane
