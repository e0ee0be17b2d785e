#pragma once

#include <QIcon>

namespace korvane {

// The program's pictures, compiled in: toolbar and menu images by command, the window icon.
QIcon CommandIcon(int commandId);
QIcon ProgramIcon();

}  // namespace korvane
