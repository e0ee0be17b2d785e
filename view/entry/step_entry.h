#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// What an entry field of the front panel holds; decides its range.
enum EntryKind : int {
    FrequencyEntry = 0,
    AmplitudeEntry = 1,
    OffsetEntry = 2,
    PhaseEntry = 3,  // any other kind is not limited
};

// Keeps a value within the channel rules' range of its kind (the frequency's upper limit depends
// on the wave type); other kinds are not limited.
double ClampByKind(double value, int kind, int waveType);

// The text a panel field shows: frequency in Hz/kHz/MHz (unit 0/1/2), volts in mV/V (unit 0/1).
std::string StepValueText(double value, int kind, int freqUnit, int voltUnit);

// The digit a double click picked, and the weight one step then has.
struct DigitChoice {
    int position = 0;   // the character to select
    float step = 1.0f;  // the digit's weight in the unit of the text
};
// `position` is the character under the mouse, or the text's length past its end. No choice for
// an empty text.
std::optional<DigitChoice> ChooseDigit(std::string_view text, int position);

// The value behind one of the panel's four main fields, stepped by spin buttons and knobs.
struct StepEntry {
    double m_dValue = 1000.0;  // base units: Hz, V, or periods for the phase
    int m_nKind = FrequencyEntry;
    float m_fStep = 1.0f;   // what one step adds or takes away, in base units
    float m_fCaret = 0.0f;  // the character last chosen with a double click
    int m_nVoltUnit = 1;    // amplitude and offset: 0 mV, 1 V
    int m_nFreqUnit = 0;    // frequency: 0 Hz, 1 kHz, 2 MHz

    void SetValue(double value, int waveType) { m_dValue = ClampByKind(value, m_nKind, waveType); }
    double GetValue() const { return m_dValue; }
    std::string ValueText() const {
        return StepValueText(m_dValue, m_nKind, m_nFreqUnit, m_nVoltUnit);
    }
    // Adds direction whole steps. Stepping down shrinks the step near zero so the value approaches
    // zero without reaching it; the phase never steps by a whole period.
    void Step(int direction, int waveType);
    // Takes the step from the digit under the mouse, whose weight is in the unit shown (a digit
    // of a kHz text steps by kHz); returns the character to select.
    std::optional<int> ChooseDigitAt(std::string_view text, int position);
};

}  // namespace korvane
