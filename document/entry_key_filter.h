#pragma once

class QKeyEvent;

namespace korvane {

// Whether an entry field drops this key: a typed character that cannot be part of a number, or
// a clipboard shortcut. Editing and navigation keys (arrows, Delete, Home, End) carry no
// printable text and pass.
bool DropsEntryKey(const QKeyEvent& event);

}  // namespace korvane
