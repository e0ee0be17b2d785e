#pragma once

class QEvent;
class QKeyEvent;
class QLineEdit;

namespace korvane {

// Whether an entry field drops this key: a typed character that cannot be part of a number, or
// a shortcut left to the window. Editing and navigation keys (arrows, Delete, Home, End) carry no
// printable text and pass, and so do the shortcuts the field keeps (see LeavesKeyToWindow).
bool DropsEntryKey(const QKeyEvent& event, bool hasSelectedText);

// Whether a key belongs to the window's shortcuts: the clipboard keys and Ctrl with a letter,
// which the frame's menu commands take (Ctrl+C and Ctrl+Insert copy the display). The field
// keeps Ctrl+A, which selects its text, and the copy keys while some of its text is selected,
// which then copy that text.
bool LeavesKeyToWindow(const QKeyEvent& event, bool hasSelectedText);

// For an entry field's event(): declines the shortcut override of a key left to the window, so
// the window's shortcut runs; true when it did.
bool DeclineShortcutOverride(QLineEdit& field, QEvent& event);

// For an entry field's keyPressEvent(): drops a key DropsEntryKey names and types a comma as the
// decimal point, as a European keyboard's decimal key gives it; true when the key was handled
// here, false when the field should process it as usual.
bool FilterEntryKey(QLineEdit& field, QKeyEvent& event);

}  // namespace korvane
