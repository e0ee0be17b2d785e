#pragma once

class QEvent;
class QKeyEvent;

namespace korvane {

// Whether an entry field drops this key: a typed character that cannot be part of a number, or
// a clipboard shortcut. Editing and navigation keys (arrows, Delete, Home, End) carry no
// printable text and pass.
bool DropsEntryKey(const QKeyEvent& event);

// Whether a dropped key belongs to the window's shortcuts: the clipboard keys and Ctrl with a
// letter, which the frame's menu commands take (Ctrl+C and Ctrl+Insert copy the display).
bool LeavesKeyToWindow(const QKeyEvent& event);

// For an entry field's event(): declines the shortcut override of a key left to the window, so
// the window's shortcut runs; true when it did.
bool DeclineShortcutOverride(QEvent& event);

}  // namespace korvane
