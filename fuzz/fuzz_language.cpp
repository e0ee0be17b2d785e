// Feeds arbitrary bytes to the language-file reader: decoding, section reading, lookups and a
// rewrite, checking that what is written reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/leading_integer.h"
#include "i18n/menu_keys.h"
#include "platform/ini_document.h"
#include "platform/text_decoding.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using korvane::IniDocument;
    const std::string text = korvane::DecodeText({reinterpret_cast<const char*>(data), size});
    // Decoded text is valid UTF-8, which decodes to itself unless it opens with a mark.
    if (!text.starts_with("\xEF\xBB\xBF")) {
        Require(korvane::DecodeText(text) == text);
    }

    IniDocument document = IniDocument::Parse(text);
    std::vector<std::string> keys;
    std::vector<std::string> values;
    const int count = document.ReadSection("App", keys, values);
    Require(count == static_cast<int>(keys.size()) && keys.size() == values.size());
    for (const std::string& key : keys) {
        if (const auto number = korvane::LeadingInteger(key)) {
            korvane::MenuItemPositions(*number);
        }
    }
    if (!keys.empty()) {
        Require(document.Find("App", keys.front()).has_value());
    }

    std::vector<std::string> keysAgain;
    std::vector<std::string> valuesAgain;
    IniDocument::Parse(document.Serialize()).ReadSection("App", keysAgain, valuesAgain);
    Require(keysAgain == keys && valuesAgain == values);

    const std::string value = text.substr(0, 32);
    Require(document.Set("Form", "Language", value));
    const auto written = IniDocument::Parse(document.Serialize()).Find("Form", "Language");
    std::string expected = value;
    for (char& c : expected) {
        c = c == '\r' || c == '\n' ? ' ' : c;
    }
    Require(written == expected);
    return 0;
}
