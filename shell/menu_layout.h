#pragma once

#include <QKeySequence>
#include <functional>
#include <vector>

class QMenu;
class QMenuBar;
class QAction;

namespace korvane {

// One entry of a menu: a command (id > 0), a separator (id 0) or a submenu (children).
struct MenuEntry {
    int id = 0;
    const char* text = "";
    std::vector<MenuEntry> children = {};
    bool IsSubmenu() const { return !children.empty() || id < 0; }
};

inline constexpr int kLanguageSubmenuId = -2;

// The main menu: File, Edit, Wave Parameter, Digital IO, Display, Utility (with Language),
// Window, Help. Both menu bars of the frame are built from it.
const std::vector<MenuEntry>& MainMenuLayout();

// The commands of the main toolbar in button order; 0 is a separator.
const std::vector<int>& MainToolbarLayout();

// Commands whose items carry a check mark.
bool IsCheckableCommand(int id);

// Keyboard accelerators of a command (empty for most).
QList<QKeySequence> CommandShortcuts(int id);

// The default text of a command; the language table replaces it.
const char* CommandText(int id);

// Builds a menu bar from the layout; `action` supplies the one shared action per command.
// `languageMenu` receives the Language submenu of this bar.
QMenuBar* BuildMenuBar(const std::function<QAction*(int)>& action, QMenu*& languageMenu);

}  // namespace korvane
