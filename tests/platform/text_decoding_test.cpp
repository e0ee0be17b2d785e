#include "platform/text_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

struct DecodingCase {
    const char* name;
    std::string bytes;
    std::string utf8;
};

class DecodeTextTest : public ::testing::TestWithParam<DecodingCase> {};

TEST_P(DecodeTextTest, GivesUtf8) {
    EXPECT_EQ(DecodeText(GetParam().bytes), GetParam().utf8);
}

using namespace std::string_literals;

// "Grüße €" in each encoding; U+1D11E (musical G clef) needs a surrogate pair in UTF-16.
INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeTextTest,
    ::testing::Values(
        DecodingCase{"Ascii", "[App]\r\n8888=English\r\n", "[App]\r\n8888=English\r\n"},
        DecodingCase{"Utf8WithoutMark",
                     "Gr\xC3\xBC\xC3\x9F"
                     "e \xE2\x82\xAC",
                     "Gr\xC3\xBC\xC3\x9F"
                     "e \xE2\x82\xAC"},
        DecodingCase{"Utf8WithMark",
                     "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                     "e",
                     "Gr\xC3\xBC\xC3\x9F"
                     "e"},
        DecodingCase{"EightBitWindows1252",
                     "Gr\xFC\xDF"
                     "e \x80",
                     "Gr\xC3\xBC\xC3\x9F"
                     "e \xE2\x82\xAC"},
        DecodingCase{"Utf16LittleEndian", "\xFF\xFEG\0r\0\xFC\0=\0\xAC\x20"s,
                     "Gr\xC3\xBC=\xE2\x82\xAC"},
        DecodingCase{"Utf16BigEndian", "\xFE\xFF\0G\0r\0\xFC\0=\x20\xAC"s,
                     "Gr\xC3\xBC=\xE2\x82\xAC"},
        DecodingCase{"Utf16SurrogatePair", "\xFF\xFE\x34\xD8\x1E\xDD"s, "\xF0\x9D\x84\x9E"},
        DecodingCase{"Utf16LoneSurrogate",
                     "\xFF\xFE\x34\xD8"
                     "A\0"s,
                     "\xEF\xBF\xBD"
                     "A"},
        DecodingCase{"Utf16OddByte",
                     "\xFF\xFE"
                     "A\0B"s,
                     "A\xEF\xBF\xBD"},
        DecodingCase{"Utf8MarkThenBrokenSequence",
                     "\xEF\xBB\xBF"
                     "a\xC3(b",
                     "a\xEF\xBF\xBD(b"},
        DecodingCase{"OverlongIsNotUtf8", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        DecodingCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane
