#include "platform/ini_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

using Strings = std::vector<std::string>;

TEST(IniDocumentTest, ReadSectionKeepsFileOrderAndDuplicates) {
    const auto document = IniDocument::Parse(
        "[Other]\r\n1=x\r\n[App]\r\n1055=First\r\n100=About\r\n1055=Second\r\n\r\n[Next]\r\n2="
        "y\r\n");
    Strings keys{"stale"};
    Strings values{"stale"};
    EXPECT_EQ(document.ReadSection("App", keys, values), 3);
    EXPECT_EQ(keys, (Strings{"1055", "100", "1055"}));
    EXPECT_EQ(values, (Strings{"First", "About", "Second"}));
    EXPECT_EQ(document.Find("App", "1055"), "First");
}

TEST(IniDocumentTest, TextRunsFromTheFirstEqualsSignToTheLineEnd) {
    const auto document =
        IniDocument::Parse("[App]\n80001=&Close \n1=a=b\nno equals sign\n ; note\n2=\n");
    Strings keys;
    Strings values;
    document.ReadSection("App", keys, values);
    EXPECT_EQ(keys, (Strings{"80001", "1", "", "2"}));
    EXPECT_EQ(values, (Strings{"&Close ", "a=b", "no equals sign", ""}));
}

TEST(IniDocumentTest, SectionAndKeyNamesIgnoreCaseAndBlanks) {
    const auto document = IniDocument::Parse("[ form ]\r\n Language =3\r\n");
    EXPECT_EQ(document.Find("Form", "language"), "3");
    EXPECT_EQ(document.Find("Form", "Other"), std::nullopt);
    EXPECT_EQ(document.Find("App", "Language"), std::nullopt);
}

TEST(IniDocumentTest, OnlyTheFirstOfTwoEqualSectionsIsRead) {
    const auto document = IniDocument::Parse("[App]\n1=a\n[App]\n2=b\n");
    Strings keys;
    Strings values;
    EXPECT_EQ(document.ReadSection("App", keys, values), 1);
    EXPECT_EQ(document.Find("App", "2"), std::nullopt);
}

TEST(IniDocumentTest, LoneCarriageReturnsEndLinesToo) {
    const auto document = IniDocument::Parse("[App]\r1=a\r2=b");
    EXPECT_EQ(document.Find("App", "2"), "b");
    EXPECT_EQ(document.Serialize(), "[App]\r1=a\r2=b\r");
}

struct SetCase {
    const char* name;
    const char* before;
    const char* after;
};

class IniDocumentSetTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(IniDocumentSetTest, WritesLanguageIndex) {
    IniDocument document = IniDocument::Parse(GetParam().before);
    ASSERT_TRUE(document.Set("Form", "Language", "2"));
    EXPECT_EQ(document.Serialize(), GetParam().after);
    EXPECT_EQ(document.Find("Form", "Language"), "2");
}

INSTANTIATE_TEST_SUITE_P(
    Places, IniDocumentSetTest,
    ::testing::Values(SetCase{"EmptyFile", "", "[Form]\nLanguage=2\n"},
                      SetCase{"ReplacesFirstInPlace", "[Form]\r\nlanguage=0\r\nLanguage=1\r\n",
                              "[Form]\r\nlanguage=2\r\nLanguage=1\r\n"},
                      SetCase{"AppendsAfterLastEntry", "[Form]\nWidth=5\n\n[View]\nx=1\n",
                              "[Form]\nWidth=5\nLanguage=2\n\n[View]\nx=1\n"},
                      SetCase{"AddsSectionAtEnd", "[View]\nx=1\n",
                              "[View]\nx=1\n\n[Form]\nLanguage=2\n"},
                      SetCase{"KeepsComments", "; settings\r\n[Form]\r\n",
                              "; settings\r\n[Form]\r\nLanguage=2\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniDocumentTest, SetRefusesNamesThatCouldNotBeReadBack) {
    IniDocument document = IniDocument::Parse("[Form]\nLanguage=1\n");
    EXPECT_FALSE(document.Set("Form", "a=b", "1"));
    EXPECT_FALSE(document.Set("Form", "", "1"));
    EXPECT_FALSE(document.Set("Form", "two\nlines", "1"));
    EXPECT_FALSE(document.Set("Fo]rm", "Language", "1"));
    EXPECT_FALSE(document.Set("Form", "[Language", "1"));
    EXPECT_EQ(document.Serialize(), "[Form]\nLanguage=1\n");
}

TEST(IniDocumentTest, LineBreaksInValuesCannotAddEntries) {
    IniDocument document = IniDocument::Parse("[Form]\n");
    ASSERT_TRUE(document.Set("Form", "Language", "1\r\n[Evil]\r\nx=2"));
    EXPECT_EQ(document.Find("Form", "Language"), "1  [Evil]  x=2");
    EXPECT_EQ(IniDocument::Parse(document.Serialize()).Find("Evil", "x"), std::nullopt);
}

}  // namespace
}  // namespace korvane
