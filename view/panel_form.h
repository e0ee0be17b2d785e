#pragma once

#include <array>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace korvane {

class CLED;
class CLeftRight;
class COnOff;
class CTurnButton;
class SpinButtons;
class CStepEdit;

// One on/off key with the lamp beside it.
struct KeyWithLamp {
    COnOff* key = nullptr;
    CLED* lamp = nullptr;
};

// The widgets of the control panel, all inside group box 1057, which carries them when the
// panel moves or hides. Every text widget has its control id for the language table.
struct PanelForm {
    static constexpr int kWidth = 336;
    static constexpr int kHeight = 458;

    QGroupBox* group = nullptr;
    std::array<COnOff*, 9> waveKeys{};  // indexed by wave type
    KeyWithLamp measureOn;
    KeyWithLamp singleWave;
    KeyWithLamp attenuate20dB;
    KeyWithLamp extTrigger;
    KeyWithLamp outputOn;
    CLeftRight* measureMode = nullptr;  // left "F", right "C"
    CLeftRight* triggerEdge = nullptr;  // left "Fall", right "Rise"
    QLineEdit* readout = nullptr;
    CStepEdit* frequency = nullptr;
    CStepEdit* amplitude = nullptr;
    CStepEdit* offset = nullptr;
    CStepEdit* phase = nullptr;
    QComboBox* frequencyUnit = nullptr;
    QComboBox* amplitudeUnit = nullptr;
    QComboBox* offsetUnit = nullptr;
    SpinButtons* phaseSpin = nullptr;
    SpinButtons* offsetSpin = nullptr;
    CTurnButton* frequencyKnob = nullptr;
    CTurnButton* amplitudeKnob = nullptr;
};

// Control ids of the wave-type keys, indexed by wave type.
inline constexpr std::array<int, 9> kWaveKeyIds{1012, 1026, 1009, 1008, 1010,
                                                1007, 1013, 1011, 1014};
// Control ids of the labels beside them, indexed by wave type.
inline constexpr std::array<int, 9> kWaveLabelIds{1104, 1097, 1101, 1099, 1102,
                                                  1098, 1053, 1103, 1105};

// Builds the panel inside `parent` with its texts in the built-in language.
PanelForm BuildPanelForm(QWidget& parent);

}  // namespace korvane
