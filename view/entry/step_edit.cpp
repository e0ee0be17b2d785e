#include "view/entry/step_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "engine/wave_type.h"
#include "view/entry/entry_key_filter.h"

namespace korvane {

CStepEdit::CStepEdit(QWidget* parent) : QLineEdit(parent) {}

void CStepEdit::SetValue(double value) {
    StepEntry::SetValue(value, WaveType());
}

void CStepEdit::ShowValue() {
    setText(QString::fromStdString(ValueText()));
}

void CStepEdit::Step(int direction) {
    StepEntry::Step(direction, WaveType());
    ShowValue();
}

int CStepEdit::WaveType() const {
    return waveType_ ? waveType_() : Sine;
}

bool CStepEdit::event(QEvent* event) {
    return DeclineShortcutOverride(*this, *event) || QLineEdit::event(event);
}

void CStepEdit::keyPressEvent(QKeyEvent* event) {
    if (!FilterEntryKey(*this, *event)) {
        QLineEdit::keyPressEvent(event);
    }
}

int CStepEdit::CharacterAt(QPoint point) {
    // The nearest caret position lies on one side of the character; which side tells which one.
    const int boundary = cursorPositionAt(point);
    setCursorPosition(boundary);
    const bool leftOfBoundary = point.x() < cursorRect().center().x();
    return leftOfBoundary && boundary > 0 ? boundary - 1 : boundary;
}

void CStepEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    // Latin-1 keeps one byte per character, so positions stay those of the field.
    const std::string text = this->text().toLatin1().toStdString();
    if (std::optional<int> chosen = ChooseDigitAt(text, CharacterAt(event->position().toPoint()))) {
        setSelection(*chosen, 1);
    }
}

}  // namespace korvane
