#include "view/entry/num_entry.h"

#include "formats/fixed_text.h"
#include "formats/str_convert.h"

namespace korvane {
namespace {
constexpr float kThousandths = 1000.0f;
}

void NumEntry::StoreValue(float baseValue) {
    m_fValue = ShowsThousandths() ? baseValue * kThousandths : baseValue;
}

double NumEntry::GetValue() const {
    return ShowsThousandths() ? m_fValue * 0.001 : m_fValue;
}

void NumEntry::Parse(std::string_view text) {
    m_fValue = static_cast<float>(CStrConvert::TextAsDouble(text));
    const float scale = ShowsThousandths() ? kThousandths : 1.0f;
    const float low = m_fMin * scale;
    const float high = m_fMax * scale;
    if (m_fValue < low) {
        m_fValue = low;
    }
    if (m_fValue > high) {
        m_fValue = high;
    }
}

bool NumEntry::OutsideBounds(std::string_view text) const {
    NumEntry parsed = *this;
    parsed.Parse(text);
    return parsed.m_fValue != static_cast<float>(CStrConvert::TextAsDouble(text));
}

std::string NumEntry::ValueText() const {
    return FixedText(m_fValue, ShowsThousandths() ? m_nDecimals - 3 : m_nDecimals);
}

}  // namespace korvane
