#include "i18n/language_config.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace korvane {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

struct StoredCase {
    const char* name;
    const char* file;
    int index;
};

class ReadLanguageIndexTest : public ::testing::TestWithParam<StoredCase> {};

TEST_P(ReadLanguageIndexTest, ParsesTheStoredIndex) {
    TempFolder folder;
    EXPECT_EQ(ReadLanguageIndex(IniFile(folder.Write("config.ini", GetParam().file))),
              GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadLanguageIndexTest,
    ::testing::Values(StoredCase{"Stored", "[Form]\r\nLanguage=3\r\n", 3},
                      StoredCase{"BuiltIn", "[Form]\r\nLanguage=-1\r\n", -1},
                      StoredCase{"NoKey", "[Form]\r\n", -1}, StoredCase{"EmptyFile", "", -1},
                      StoredCase{"NotANumber", "[Form]\nLanguage=abc\n", 0},
                      StoredCase{"NumberThenText", "[Form]\nLanguage=2x\n", 2},
                      StoredCase{"TooLarge", "[Form]\nLanguage=99999999999\n", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LanguageConfigTest, AFirstRunCreatesTheFileWithTheBuiltInIndex) {
    TempFolder folder;
    const IniFile config(folder.path() / "config.ini");
    EXPECT_EQ(ReadLanguageIndex(config), -1);
    EXPECT_EQ(WriteLanguageIndex(config, -1), 0);
    EXPECT_EQ(ReadBytes(config.Path()), "[Form]\nLanguage=-1\n");
    EXPECT_EQ(WriteLanguageIndex(config, 4), 0);
    EXPECT_EQ(ReadLanguageIndex(config), 4);
}

}  // namespace
}  // namespace korvane
