#include "view/entry/num_edit.h"

#include <QKeyEvent>

#include "view/entry/entry_key_filter.h"

namespace korvane {

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent) {}

void CNumEdit::SetValue(float value, bool show) {
    StoreValue(value);
    if (show) {
        setText(QString::fromStdString(ValueText()));
    }
}

void CNumEdit::Parse() {
    NumEntry::Parse(text().toLatin1().toStdString());
}

bool CNumEdit::event(QEvent* event) {
    return DeclineShortcutOverride(*event) || QLineEdit::event(event);
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
    if (DropsEntryKey(*event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (ReformatsOnFocusLoss()) {
        SetValue(m_fValue, true);
    }
}

}  // namespace korvane
