#pragma once

#include <string>
#include <string_view>

#include "engine/channel_rules.h"

namespace korvane {

// The value behind an entry field for one bounded decimal number, shown either in base units or
// in thousandths (ms instead of s). The owner may set the unit flags, bounds and decimals directly.
struct NumEntry {
    int m_bFixedUnit = -1;  // nonzero: always base units, and leaving the field reformats it
    int m_bBaseUnit = 1;    // with m_bFixedUnit 0: nonzero base units, 0 thousandths
    float m_fMax = 1.0f;    // bounds in base units
    float m_fMin = 0.0f;
    float m_fValue = 0.0f;  // the value as shown, in display units
    int m_nDecimals = 3;    // decimals in base units; thousandths show three fewer

    bool ShowsThousandths() const { return !m_bFixedUnit && !m_bBaseUnit; }
    // Stores a value given in base units.
    void StoreValue(float baseValue);
    // The value in base units.
    double GetValue() const;
    // Reads typed text into m_fValue and keeps it within the bounds; the text itself stays.
    void Parse(std::string_view text);
    // Whether typed text reads as a value beyond the bounds, which Parse replaces by the bound.
    bool OutsideBounds(std::string_view text) const;
    // m_fValue as the field shows it.
    std::string ValueText() const;
    // Whether leaving the field rewrites its text from m_fValue; a text beyond the bounds is
    // rewritten in any case.
    bool ReformatsOnFocusLoss() const { return m_bFixedUnit != 0; }
    // Takes its bounds from one of the channel rules' ranges.
    void UseRange(Range range) {
        m_fMin = static_cast<float>(range.low);
        m_fMax = static_cast<float>(range.high);
    }
};

}  // namespace korvane
