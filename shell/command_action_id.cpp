#include "shell/command_action_id.h"

#include <QAction>
#include <QVariant>

namespace korvane {

int CommandIdOf(const QAction& action) {
    return action.property(kCommandIdProperty).toInt();
}

}  // namespace korvane
