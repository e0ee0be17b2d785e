// The typed entries: the frequency, amplitude, offset and phase fields, their unit boxes and the
// offset and phase spin buttons.

#include "view/multi_tessel_view.h"

#include <QComboBox>
#include <QLineEdit>
#include <string>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "view/entry/entry_values.h"
#include "view/entry/step_edit.h"
#include "view/spin_buttons.h"

namespace korvane {

namespace {

// The frequency and amplitude fields each have one re-entry guard for the whole program: a field
// rewritten by its own handler does not run the handler again.
bool g_frequencyEntryBusy = false;
bool g_amplitudeEntryBusy = false;

class EntryGuard {
  public:
    explicit EntryGuard(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
    ~EntryGuard() {
        if (entered_) {
            flag_ = false;
        }
    }
    EntryGuard(const EntryGuard&) = delete;
    EntryGuard& operator=(const EntryGuard&) = delete;
    bool Entered() const { return entered_; }

  private:
    bool& flag_;
    bool entered_;
};

std::string FieldText(const QLineEdit& field) {
    return field.text().toStdString();
}

}  // namespace

void CMultiTesselView::ConnectEntries() {
    connect(form_.frequency, &QLineEdit::textEdited, this, &CMultiTesselView::OnFrequencyEdited);
    connect(form_.amplitude, &QLineEdit::textEdited, this, &CMultiTesselView::OnAmplitudeEdited);
    connect(form_.offset, &QLineEdit::textEdited, this, &CMultiTesselView::OnOffsetEdited);
    connect(form_.phase, &QLineEdit::textEdited, this, &CMultiTesselView::OnPhaseEdited);
    // Enter, or leaving a field, ends its entry: the field then shows the value in effect in
    // its unit, limited. A frequency text that reads as zero was not applied while typing (it
    // could still grow), so the lowest frequency applies now.
    connect(form_.frequency, &QLineEdit::editingFinished, this, [this] {
        const std::string text = FieldText(*form_.frequency);
        if (UnfinishedFrequency(text)) {
            form_.frequency->SetValue(
                TypedFrequency(text, frequencyUnit_, Channel().waveType).value);
            Channel().SetFrequency(form_.frequency->GetValue());
        }
    });
    for (CStepEdit* field : {form_.frequency, form_.amplitude, form_.offset, form_.phase}) {
        connect(field, &QLineEdit::editingFinished, field, [field] {
            if (FieldText(*field) != field->ValueText()) {
                field->ShowValue();
            }
        });
        // The entry has ended: a remote value that came while it was typed shows now.
        connect(field, &QLineEdit::editingFinished, this, [this, field] {
            field->setModified(false);
            FollowChannel();
        });
    }
    connect(form_.offsetSpin, &SpinButtons::DeltaPos, this, &CMultiTesselView::OnOffsetSpin);
    connect(form_.phaseSpin, &SpinButtons::DeltaPos, this, &CMultiTesselView::OnPhaseSpin);

    connect(form_.frequencyUnit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        frequencyUnit_ = unit;
        form_.frequency->m_nFreqUnit = unit;
        form_.frequency->ShowValue();
    });
    connect(form_.amplitudeUnit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        amplitudeUnit_ = unit;
        form_.amplitude->m_nVoltUnit = unit;
        form_.amplitude->ShowValue();
    });
    connect(form_.offsetUnit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        offsetUnit_ = unit;
        form_.offset->m_nVoltUnit = unit;
        form_.offset->ShowValue();
    });
}

// ---- entry fields ----------------------------------------------------------------------------

void CMultiTesselView::OnFrequencyEdited() {
    EntryGuard guard(g_frequencyEntryBusy);
    if (!guard.Entered()) {
        return;
    }
    const std::string text = FieldText(*form_.frequency);
    if (UnfinishedFrequency(text)) {
        return;
    }
    const TypedValue typed = TypedFrequency(text, frequencyUnit_, Channel().waveType);
    form_.frequency->SetValue(typed.value);
    if (typed.limited) {
        form_.frequency->ShowValue();
    }
    if (!knobTurning_) {
        Channel().SetFrequency(form_.frequency->GetValue());
    }
}

void CMultiTesselView::OnAmplitudeEdited() {
    EntryGuard guard(g_amplitudeEntryBusy);
    if (!guard.Entered()) {
        return;
    }
    const TypedValue typed = TypedAmplitude(FieldText(*form_.amplitude), amplitudeUnit_);
    form_.amplitude->SetValue(typed.value);
    if (typed.limited) {
        form_.amplitude->ShowValue();
    }
    if (!knobTurning_) {
        Channel().SetAmplitude(static_cast<float>(typed.value));
        Channel().RequestDownload();
    }
}

void CMultiTesselView::OnOffsetEdited() {
    const TypedValue typed = TypedOffset(FieldText(*form_.offset), offsetUnit_);
    form_.offset->SetValue(typed.value);
    if (typed.limited) {
        form_.offset->ShowValue();
    }
    Channel().SetOffset(form_.offset->GetValue());
}

void CMultiTesselView::OnPhaseEdited() {
    const TypedValue typed = TypedPhase(FieldText(*form_.phase));
    form_.phase->SetValue(typed.value);
    if (typed.limited) {
        form_.phase->ShowValue();
    }
    SetShape(Channel(), ShapeValue::Phase, form_.phase->GetValue());
}

// A spin position change of -1 steps the value up, +1 down.
void CMultiTesselView::OnOffsetSpin(int delta) {
    form_.offset->Step(-delta);
    Channel().SetOffset(form_.offset->GetValue());
}

void CMultiTesselView::OnPhaseSpin(int delta) {
    form_.phase->Step(-delta);
    SetShape(Channel(), ShapeValue::Phase, form_.phase->GetValue());
}

}  // namespace korvane
