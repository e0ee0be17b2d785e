#include <gtest/gtest.h>

#include "support/param_name.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "i18n/builtin_language.h"
#include "i18n/format_template.h"
#include "i18n/language_table.h"
#include "platform/ini_document.h"
#include "support/temp_folder.h"

namespace korvane {
namespace {

// The shipped language files live in language/ at the top of the source tree.
const std::filesystem::path& SourceRoot() {
    static const std::filesystem::path root =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    return root;
}

struct BuiltInSection {
    std::vector<std::string> keys;
    std::vector<std::string> values;
};

const BuiltInSection& BuiltIn() {
    static const BuiltInSection section = [] {
        BuiltInSection s;
        IniDocument::Parse(std::string(BuiltInLanguageBytes()))
            .ReadSection("App", s.keys, s.values);
        return s;
    }();
    return section;
}

long CountOf(const std::string& text, char c) {
    return std::count(text.begin(), text.end(), c);
}

struct TranslationCase {
    const char* fileName;
    const char* displayName;
};

class TranslationTest : public ::testing::TestWithParam<TranslationCase> {
  protected:
    void SetUp() override {
        table_.ScanLanguageFiles(SourceRoot(), temp_.path());
        for (int i = 0; i < table_.GetLanguageCount(); ++i) {
            if (table_.GetLanguageFileName(i) == GetParam().fileName) {
                index_ = i;
            }
        }
        ASSERT_GE(index_, 0) << GetParam().fileName << " not found below "
                             << (SourceRoot() / "language");
        table_.SelectLanguage(index_);
    }

    testing::TempFolder temp_;
    LanguageTable table_;
    int index_ = -1;
};

TEST_P(TranslationTest, IsListedUnderItsOwnName) {
    EXPECT_EQ(table_.GetLanguageName(index_), GetParam().displayName);
    EXPECT_EQ(table_.GetText(8888), GetParam().displayName);
}

TEST_P(TranslationTest, HasEveryBuiltInKeyInTheSameOrder) {
    const BuiltInSection& english = BuiltIn();
    ASSERT_GE(table_.Keys().size(), english.keys.size());
    // The table appends one generated pair per language file behind the file's own lines.
    const std::vector<std::string> ownKeys(table_.Keys().begin(),
                                           table_.Keys().begin() + english.keys.size());
    EXPECT_EQ(ownKeys, english.keys);
    EXPECT_EQ(table_.Keys().size(), english.keys.size() + table_.GetLanguageCount());
}

TEST_P(TranslationTest, EveryKeyHasATextWithTheSameFormatAndMenuMarks) {
    const BuiltInSection& english = BuiltIn();
    const std::vector<std::string>& values = table_.Values();
    for (std::size_t i = 0; i < english.keys.size(); ++i) {
        const std::string& key = english.keys[i];
        const std::string& source = english.values[i];
        const std::string& text = values[i];
        SCOPED_TRACE("key " + key + " \"" + text + "\"");
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(FormatSpecifiers(text), FormatSpecifiers(source));
        EXPECT_EQ(CountOf(text, '#'), CountOf(source, '#'));
        EXPECT_EQ(CountOf(text, '\t'), CountOf(source, '\t'));
        EXPECT_EQ(CountOf(text, '&'), CountOf(source, '&'));
        EXPECT_EQ(text == "--", source == "--") << "separators stay separators";
    }
}

TEST_P(TranslationTest, MostTextsAreActuallyTranslated) {
    const BuiltInSection& english = BuiltIn();
    std::size_t same = 0;
    for (std::size_t i = 0; i < english.keys.size(); ++i) {
        same += table_.Values()[i] == english.values[i] ? 1 : 0;
    }
    // Separators, units, "OK", "AM/FM", "-20dB" and the program's name stay as they are.
    EXPECT_LT(same, english.keys.size() / 5) << same << " texts equal the English ones";
}

TEST_P(TranslationTest, ReportAndMessageKeysResolve) {
    for (const int key :
         {2013, 2016, 2017, 2018, 2019,  2020,  2028, 2029,  1110,  2012,  57634, 2071, 2072, 2073,
          2074, 2076, 2077, 2081, 2085,  2086,  2088, 80505, 80004, 80103, 80407, 2090, 2105, 2108,
          2110, 2111, 2113, 2114, 80506, 80507, 2122, 2123,  2124,  2125,  2126,  2127}) {
        EXPECT_FALSE(table_.GetText(key).empty()) << key;
        EXPECT_NE(table_.GetText(key), LanguageTable().GetText(key)) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, TranslationTest,
                         ::testing::Values(TranslationCase{"Deutsch.lug", "Deutsch"},
                                           TranslationCase{"简体中文.lug", "简体中文"}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName(p.fileName);
                         });

TEST(FormatSpecifiersTest, FindsTheConversionsOfAText) {
    EXPECT_EQ(FormatSpecifiers("Cann't Save file: %s"), std::vector<std::string>{"%s"});
    EXPECT_EQ(FormatSpecifiers("%d Points %.3lf V 100%%"),
              (std::vector<std::string>{"%d", "%.3lf", "%%"}));
    EXPECT_TRUE(FormatSpecifiers("Y Offset").empty());
}

TEST(FormatSpecifiersTest, ListsAPercentThatStartsNoConversionAsALonePercent) {
    EXPECT_EQ(FormatSpecifiers("%n%d"), (std::vector<std::string>{"%", "%d"}));
    EXPECT_EQ(FormatSpecifiers("%*d"), (std::vector<std::string>{"%"}));
    EXPECT_EQ(FormatSpecifiers("%.f 100%"), (std::vector<std::string>{"%", "%"}));
}

struct TemplateCase {
    const char* name;
    const char* candidate;
    const char* expected;
};

class CheckedTemplateTest : public ::testing::TestWithParam<TemplateCase> {};

// A language's template replaces the program's only with the same conversions in the same order.
TEST_P(CheckedTemplateTest, KeepsOnlyATemplateWithTheSameConversions) {
    const std::string fallback = "Amp = %.3lfV  Freq = %.3lfHz";
    EXPECT_EQ(CheckedTemplate(GetParam().candidate, fallback), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckedTemplateTest,
    ::testing::Values(
        TemplateCase{"same", "A = %.3lfV  F = %.3lfHz", "A = %.3lfV  F = %.3lfHz"},
        TemplateCase{"empty", "", "Amp = %.3lfV  Freq = %.3lfHz"},
        TemplateCase{"string", "A = %sV  F = %.3lfHz", "Amp = %.3lfV  Freq = %.3lfHz"},
        TemplateCase{"writesCount", "%n A = %.3lfV  F = %.3lfHz", "Amp = %.3lfV  Freq = %.3lfHz"},
        TemplateCase{"oneMissing", "A = %.3lfV", "Amp = %.3lfV  Freq = %.3lfHz"},
        TemplateCase{"oneMore", "%.3lf %.3lf %.3lf", "Amp = %.3lfV  Freq = %.3lfHz"},
        TemplateCase{"width", "%999999.3lf %.3lf", "Amp = %.3lfV  Freq = %.3lfHz"},
        TemplateCase{"trailing", "%.3lf %.3lf 100%", "Amp = %.3lfV  Freq = %.3lfHz"},
        TemplateCase{"percent", "%.3lf %.3lf 100%%", "Amp = %.3lfV  Freq = %.3lfHz"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FillStringTemplateTest, PutsTheValueIntoTheCheckedTemplateAsItIs) {
    const std::string fallback = "Output (%s)";
    EXPECT_EQ(FillStringTemplate("Ausgang (%s)", fallback, "hw:1,0"), "Ausgang (hw:1,0)");
    EXPECT_EQ(FillStringTemplate("Ausgang (%d)", fallback, "hw:1,0"), "Output (hw:1,0)");
    EXPECT_EQ(FillStringTemplate("", fallback, "a%sb%%"), "Output (a%sb%%)");
    EXPECT_EQ(FillStringTemplate("%s (%s)", fallback, "x"), "Output (x)");
}

}  // namespace
}  // namespace korvane
