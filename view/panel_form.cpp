#include "view/panel_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <algorithm>

#include "document/control_id.h"
#include "i18n/language_table.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/on_off.h"
#include "view/controls/turn_button.h"
#include "view/entry/step_edit.h"
#include "view/entry/step_entry.h"
#include "view/panel_label.h"
#include "view/spin_buttons.h"

namespace korvane {

namespace {

// Fixed sizes of the panel controls.
constexpr QSize kKnobSize{82, 83};
constexpr QSize kKeySize{32, 19};
constexpr QSize kLampSize{12, 12};
constexpr QSize kSwitchSize{29, 14};

constexpr int kEditHeight = 22;
constexpr int kLabelHeight = 17;
constexpr int kLeftColumn = 12;
constexpr int kRightColumn = 180;
constexpr int kColumnWidth = 144;
// A key's caption reaches to just before the right column.
constexpr int kKeyLabelWidth = kRightColumn - 14 - 32 - 24 - 4;

const LanguageTable& BuiltInTexts() {
    static const LanguageTable table;
    return table;
}

template <typename Widget>
Widget* Place(QWidget& parent, int id, QRect geometry) {
    auto* widget = new Widget(&parent);
    widget->setGeometry(geometry);
    if (id != 0) {
        SetControlId(*widget, id);
    }
    return widget;
}

PanelLabel* PlaceLabel(QWidget& parent, int id, QRect geometry,
                       Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = Place<PanelLabel>(parent, id, geometry);
    label->setAlignment(alignment);
    label->SetText(QString::fromStdString(BuiltInTexts().GetLangString(id)));
    return label;
}

KeyWithLamp PlaceKeyWithLamp(QWidget& parent, int keyId, int lampId, int labelId, QPoint at) {
    KeyWithLamp pair;
    pair.key = Place<COnOff>(parent, keyId, QRect(at, kKeySize));
    pair.lamp = Place<CLED>(parent, lampId, QRect(at + QPoint(kKeySize.width() + 6, 4), kLampSize));
    const int labelLeft = at.x() + kKeySize.width() + 24;
    PlaceLabel(
        parent, labelId,
        QRect(labelLeft, at.y(), std::min(kKeyLabelWidth, PanelForm::kWidth - 10 - labelLeft),
              kKeySize.height()));
    return pair;
}

QComboBox* PlaceUnits(QWidget& parent, int id, QRect geometry, const QStringList& units) {
    auto* combo = Place<QComboBox>(parent, id, geometry);
    combo->addItems(units);
    return combo;
}

CStepEdit* PlaceField(QWidget& parent, int id, int kind, QRect geometry) {
    auto* field = new CStepEdit(&parent);
    field->m_nKind = kind;
    field->setGeometry(geometry);
    SetControlId(*field, id);
    return field;
}

void PlaceWaveKeys(QWidget& parent, PanelForm& form) {
    auto* box = Place<QGroupBox>(parent, 1049, QRect(6, 4, PanelForm::kWidth - 12, 104));
    box->lower();
    constexpr int kColumnStep = 107;
    constexpr int kRowStep = 30;
    constexpr int kLabelGap = 2;
    for (int type = 0; type < 9; ++type) {
        const QPoint at(10 + (type % 3) * kColumnStep, 16 + (type / 3) * kRowStep);
        form.waveKeys[type] = Place<COnOff>(parent, kWaveKeyIds[type], QRect(at, kKeySize));
        // Tall enough for a long name to take two lines beside its key.
        PlaceLabel(parent, kWaveLabelIds[type],
                   QRect(at.x() + kKeySize.width() + kLabelGap, at.y() - 5,
                         kColumnStep - kKeySize.width() - kLabelGap - 1, kKeySize.height() + 10));
    }
}

// The control ids of one value column.
struct KnobColumnIds {
    int label;
    int field;
    int kind;
    int units;
    int knob;
};

struct KnobColumn {
    CStepEdit* field;
    QComboBox* units;
    CTurnButton* knob;
};

// A value column: its label, the entry field with unit box, and the knob centred below.
KnobColumn PlaceKnobColumn(QWidget& parent, int x, const KnobColumnIds& ids,
                           const QStringList& unitNames) {
    constexpr int kTop = 114;
    PlaceLabel(parent, ids.label, QRect(x, kTop, kColumnWidth, kLabelHeight));
    return {PlaceField(parent, ids.field, ids.kind, QRect(x, kTop + 18, 86, kEditHeight)),
            PlaceUnits(parent, ids.units, QRect(x + 88, kTop + 18, 56, kEditHeight), unitNames),
            Place<CTurnButton>(
                parent, ids.knob,
                QRect(QPoint(x + (kColumnWidth - kKnobSize.width()) / 2, kTop + 44), kKnobSize))};
}

void PlaceEntries(QWidget& parent, PanelForm& form) {
    const QStringList volts{QStringLiteral("mV"), QStringLiteral("V")};
    const KnobColumn frequency =
        PlaceKnobColumn(parent, kLeftColumn, {1111, 1027, FrequencyEntry, 1076, 1030},
                        {QStringLiteral("Hz"), QStringLiteral("KHz"), QStringLiteral("MHz")});
    form.frequency = frequency.field;
    form.frequencyUnit = frequency.units;
    form.frequencyKnob = frequency.knob;
    const KnobColumn amplitude =
        PlaceKnobColumn(parent, kRightColumn, {1112, 1029, AmplitudeEntry, 1077, 1031}, volts);
    form.amplitude = amplitude.field;
    form.amplitudeUnit = amplitude.units;
    form.amplitudeKnob = amplitude.knob;

    constexpr int kTop = 248;
    PlaceLabel(parent, 1110, QRect(kLeftColumn, kTop, kColumnWidth, kLabelHeight));
    form.offset = PlaceField(parent, 1032, OffsetEntry, QRect(kLeftColumn, kTop + 18, 70, 22));
    form.offsetSpin = Place<SpinButtons>(parent, 1061, QRect(kLeftColumn + 71, kTop + 18, 16, 22));
    form.offsetUnit = PlaceUnits(parent, 1075, QRect(kLeftColumn + 88, kTop + 18, 56, 22), volts);

    PlaceLabel(parent, 1062, QRect(kRightColumn, kTop, kColumnWidth, kLabelHeight));
    form.phase = PlaceField(parent, 1058, PhaseEntry, QRect(kRightColumn, kTop + 18, 86, 22));
    form.phaseSpin = Place<SpinButtons>(parent, 1060, QRect(kRightColumn + 87, kTop + 18, 16, 22));
}

// A two-position switch with its left and right words.
CLeftRight* PlaceSwitch(QWidget& parent, int id, int leftLabelId, int rightLabelId, QPoint at) {
    PlaceLabel(parent, leftLabelId, QRect(at.x() - 50, at.y() - 2, 46, 18),
               Qt::AlignRight | Qt::AlignVCenter);
    auto* lever = Place<CLeftRight>(parent, id, QRect(at, kSwitchSize));
    PlaceLabel(parent, rightLabelId, QRect(at.x() + kSwitchSize.width() + 4, at.y() - 2, 60, 18));
    return lever;
}

void PlaceKeysAndSwitches(QWidget& parent, PanelForm& form) {
    auto* box = Place<QGroupBox>(parent, 1050, QRect(6, 296, PanelForm::kWidth - 12, 156));
    box->lower();
    form.outputOn = PlaceKeyWithLamp(parent, 1021, 1020, 1107, QPoint(14, 308));
    form.attenuate20dB = PlaceKeyWithLamp(parent, 1025, 1024, 1252, QPoint(14, 334));
    form.singleWave = PlaceKeyWithLamp(parent, 1019, 1018, 1106, QPoint(14, 360));
    form.extTrigger = PlaceKeyWithLamp(parent, 1023, 1022, 1108, QPoint(kRightColumn, 308));
    PlaceLabel(parent, 1113, QRect(kRightColumn, 334, kColumnWidth, kLabelHeight));
    form.triggerEdge = PlaceSwitch(parent, 1035, 1114, 1115, QPoint(kRightColumn + 52, 356));

    form.measureOn = PlaceKeyWithLamp(parent, 1017, 1016, 1244, QPoint(14, 390));
    form.measureMode = PlaceSwitch(parent, 1005, 1242, 1243, QPoint(kRightColumn + 52, 393));
    form.readout = Place<QLineEdit>(parent, 1006, QRect(14, 418, PanelForm::kWidth - 28, 24));
    form.readout->setReadOnly(true);
    form.readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form.readout->setFocusPolicy(Qt::NoFocus);
}

}  // namespace

PanelForm BuildPanelForm(QWidget& parent) {
    PanelForm form;
    form.group = Place<QGroupBox>(parent, 1057, QRect(0, 0, PanelForm::kWidth, PanelForm::kHeight));
    QWidget& group = *form.group;
    PlaceWaveKeys(group, form);
    PlaceEntries(group, form);
    PlaceKeysAndSwitches(group, form);
    return form;
}

}  // namespace korvane
