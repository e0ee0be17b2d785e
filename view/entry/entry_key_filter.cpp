#include "view/entry/entry_key_filter.h"

#include <QKeyEvent>
#include <QKeySequence>

#include "view/entry/entry_filter.h"

namespace korvane {

bool LeavesKeyToWindow(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Cut) ||
        event.matches(QKeySequence::Paste)) {
        return true;
    }
    // Ctrl with a letter types that letter's control character, which is not part of a number.
    return (event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
           event.key() <= Qt::Key_Z;
}

bool DeclineShortcutOverride(QEvent& event) {
    if (event.type() != QEvent::ShortcutOverride ||
        !LeavesKeyToWindow(static_cast<const QKeyEvent&>(event))) {
        return false;
    }
    event.ignore();
    return true;
}

bool DropsEntryKey(const QKeyEvent& event) {
    if (LeavesKeyToWindow(event)) {
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

}  // namespace korvane
