#include "view/entry/entry_key_filter.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

#include "view/entry/entry_filter.h"

namespace korvane {

namespace {

// The shortcuts a field keeps for itself.
bool FieldShortcut(const QKeyEvent& event, bool hasSelectedText) {
    return event.matches(QKeySequence::SelectAll) ||
           (hasSelectedText && event.matches(QKeySequence::Copy));
}

}  // namespace

bool LeavesKeyToWindow(const QKeyEvent& event, bool hasSelectedText) {
    if (FieldShortcut(event, hasSelectedText)) {
        return false;
    }
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Cut) ||
        event.matches(QKeySequence::Paste)) {
        return true;
    }
    // Ctrl with a letter types that letter's control character, which is not part of a number.
    return (event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
           event.key() <= Qt::Key_Z;
}

bool DeclineShortcutOverride(QLineEdit& field, QEvent& event) {
    if (event.type() != QEvent::ShortcutOverride ||
        !LeavesKeyToWindow(static_cast<const QKeyEvent&>(event), field.hasSelectedText())) {
        return false;
    }
    event.ignore();
    return true;
}

bool DropsEntryKey(const QKeyEvent& event, bool hasSelectedText) {
    if (FieldShortcut(event, hasSelectedText)) {
        return false;  // whatever text the key carries
    }
    if (LeavesKeyToWindow(event, hasSelectedText)) {
        return true;
    }
    for (const QChar c : event.text()) {
        const bool printable = c.unicode() >= 0x20 && c.unicode() != 0x7f;
        if (printable && !IsEntryCharacter(c.unicode())) {
            return true;
        }
    }
    return false;
}

bool FilterEntryKey(QLineEdit& field, QKeyEvent& event) {
    if (event.text() == QStringLiteral(",") && !(event.modifiers() & Qt::ControlModifier)) {
        field.insert(QStringLiteral("."));  // replaces a selection and reports the edit
        event.accept();
        return true;
    }
    if (DropsEntryKey(event, field.hasSelectedText())) {
        event.accept();
        return true;
    }
    return false;
}

}  // namespace korvane
