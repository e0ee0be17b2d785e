#pragma once

class QAction;

namespace korvane {

// The property of a menu or toolbar action that carries its numeric command id.
inline constexpr char kCommandIdProperty[] = "korvaneCommandId";

// The command id an action carries, 0 for an action without one (a window entry, a separator).
int CommandIdOf(const QAction& action);

}  // namespace korvane
