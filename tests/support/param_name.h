#pragma once

// Readable names for the cases of parametrised suites. Without a name generator a case is listed
// by its index and its parameter's raw bytes, which also make the ctest names change from build
// to build.

#include <cstdio>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/wave_type.h"

namespace korvane::test {

// Test names may hold only letters, digits and '_'. Each other character is spelled so that
// different texts keep different names: "-" minus, "+" plus, a '.' before a digit "p"
// ("-0.25" is "minus0p25"), a byte above 127 "x" and its hex code, anything else '_'.
inline std::string NamePart(std::string_view text) {
    if (text.empty()) {
        return "empty";
    }
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool digitNext = i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9';
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            name += static_cast<char>(c);
        } else if (c == '-') {
            name += "minus";
        } else if (c == '+') {
            name += "plus";
        } else if (c == '.' && digitNext) {
            name += 'p';
        } else if (c > 127) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "x%02X", c);
            name += hex;
        } else {
            name += '_';
        }
    }
    return name;
}

inline std::string NamePart(const char* text) {
    return NamePart(std::string_view(text));
}

inline std::string NamePart(const std::string& text) {
    return NamePart(std::string_view(text));
}

inline std::string NamePart(bool value) {
    return value ? "yes" : "no";
}

template <class Number>
std::string NamePart(Number value) {
    std::ostringstream text;
    text << std::setprecision(std::numeric_limits<Number>::digits10) << +value;
    return NamePart(text.str());
}

template <class Item>
std::string NamePart(const std::vector<Item>& items) {
    if (items.empty()) {
        return "none";
    }
    std::string name;
    for (const Item& item : items) {
        name += (name.empty() ? "" : "_") + NamePart(item);
    }
    return name;
}

// A wave type by its name; a code outside the list keeps its number.
inline std::string WaveName(int waveType) {
    static const char* const kNames[kWaveTypeCount] = {"Sine",     "Ramp",       "Square",
                                                       "Exponent", "Arbitrary",  "Trapezia",
                                                       "AmFm",     "GaussNoise", "WhiteNoise"};
    return waveType >= 0 && waveType < kWaveTypeCount ? kNames[waveType]
                                                      : "wave" + NamePart(waveType);
}

// One case's name: the parts that tell it apart, joined by '_'. Start with a word: a name of
// digits alone would be read back as the case's index.
template <class... Parts>
std::string ParamName(const Parts&... parts) {
    std::string name;
    ((name += (name.empty() ? "" : "_") + NamePart(parts)), ...);
    return name;
}

}  // namespace korvane::test
