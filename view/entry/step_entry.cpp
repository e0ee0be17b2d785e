#include "view/entry/step_entry.h"

#include <cmath>

#include "engine/channel_rules.h"
#include "engine/wave_type.h"
#include "formats/fixed_text.h"

namespace korvane {
namespace {

std::optional<Range> RangeOf(int kind, int waveType) {
    switch (kind) {
        case FrequencyEntry:
            return FrequencyRange(waveType);
        case AmplitudeEntry:
            return kAmplitudeRange;
        case OffsetEntry:
            return kOffsetRange;
        case PhaseEntry:
            return kFractionRange;
        default:
            return std::nullopt;
    }
}

float PowerOf(double base, int exponent) {
    return static_cast<float>(std::pow(base, exponent));
}

// How many base units (Hz, V) one unit of the field's text is: 1000 for kHz, 0.001 for mV.
double ShownUnitInBaseUnits(int kind, int freqUnit, int voltUnit) {
    if (kind == FrequencyEntry) {
        return freqUnit == 1 ? 1000.0 : (freqUnit == 2 ? 1000000.0 : 1.0);
    }
    if ((kind == AmplitudeEntry || kind == OffsetEntry) && voltUnit == 0) {
        return 0.001;
    }
    return 1.0;
}

}  // namespace

double ClampByKind(double value, int kind, int waveType) {
    const std::optional<Range> range = RangeOf(kind, waveType);
    return range ? Limit(value, *range) : value;
}

std::string StepValueText(double value, int kind, int freqUnit, int voltUnit) {
    if (kind == FrequencyEntry) {
        if (freqUnit == 1) {
            return FixedText(value * 0.001, 3);
        }
        if (freqUnit == 2) {
            return FixedText(value / 1000000.0, 6);
        }
        return FixedText(value, 3);
    }
    if ((kind == AmplitudeEntry || kind == OffsetEntry) && voltUnit == 0) {
        return FixedText(value * 1000.0, 3);
    }
    return FixedText(value, 3);
}

std::optional<DigitChoice> ChooseDigit(std::string_view text, int position) {
    const int length = static_cast<int>(text.size());
    if (length == 0) {
        return std::nullopt;
    }
    int s = position < 0 ? 0 : (position >= length ? length - 1 : position);
    if (text[static_cast<std::size_t>(s)] == '.') {
        ++s;
    }
    DigitChoice choice;
    choice.position = s;
    std::size_t point = text.rfind('.');
    if (point == std::string_view::npos) {
        choice.step = PowerOf(10.0, length - s - 1);
        return choice;
    }
    const int p = static_cast<int>(point);
    choice.step = s < p ? PowerOf(10.0, p - s - 1) : PowerOf(0.1, s - p);
    return choice;
}

void StepEntry::Step(int direction, int waveType) {
    if (m_nKind == PhaseEntry && std::fabs(m_fStep - 1.0) < 0.00001) {
        m_fStep = 0.1f;
    }
    if (m_nKind != OffsetEntry && m_nKind != PhaseEntry &&
        m_fStep > m_dValue + direction * static_cast<double>(m_fStep)) {
        m_fStep = static_cast<float>(m_fStep * 0.1);
    }
    SetValue(m_dValue + direction * static_cast<double>(m_fStep), waveType);
}

std::optional<int> StepEntry::ChooseDigitAt(std::string_view text, int position) {
    std::optional<DigitChoice> choice = ChooseDigit(text, position);
    if (!choice) {
        return std::nullopt;
    }
    // The digit's weight is in the shown unit; the step is kept in base units.
    m_fStep =
        static_cast<float>(choice->step * ShownUnitInBaseUnits(m_nKind, m_nFreqUnit, m_nVoltUnit));
    m_fCaret = static_cast<float>(choice->position);
    return choice->position;
}

}  // namespace korvane
