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
    NumEntry::Parse(EntryText());
}

std::string CNumEdit::EntryText() const {
    return text().toLatin1().toStdString();
}

bool CNumEdit::event(QEvent* event) {
    return DeclineShortcutOverride(*this, *event) || QLineEdit::event(event);
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ShowValueOnEnd();  // before the dialog may take Enter as its OK
    }
    if (!FilterEntryKey(*this, *event)) {
        QLineEdit::keyPressEvent(event);
    }
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    ShowValueOnEnd();
}

void CNumEdit::ShowValueOnEnd() {
    if (ReformatsOnFocusLoss() || OutsideBounds(EntryText())) {
        setText(QString::fromStdString(ValueText()));
    }
}

}  // namespace korvane
