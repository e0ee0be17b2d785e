#include "document/control_id.h"

#include <QWidget>

namespace korvane {

namespace {
constexpr char kControlIdProperty[] = "korvaneControlId";
}

void SetControlId(QWidget& widget, int id) {
    widget.setProperty(kControlIdProperty, id);
}

int ControlId(const QWidget& widget) {
    return widget.property(kControlIdProperty).toInt();
}

}  // namespace korvane
