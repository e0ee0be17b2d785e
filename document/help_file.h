#pragma once

namespace korvane {

// Opens the manual of the current language (or the English one) with the desktop's viewer.
// When there is no manual, or nothing could open it, a message tells the user where it is or
// where it belongs, so Help never fails silently.
void OpenHelpFile();

}  // namespace korvane
