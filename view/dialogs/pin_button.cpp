#include "view/dialogs/pin_button.h"

namespace korvane {

PinButton::PinButton(QWidget* parent) : QPushButton(parent) {
    setCheckable(true);
    setFont(QFont(QStringLiteral("Arial"), 9));
    setFixedSize(26, 24);
    Refresh();
}

void PinButton::Refresh() {
    setText(state ? QStringLiteral("H") : QStringLiteral("L"));
    setChecked(state);
    repaint();
}

void PinButton::nextCheckState() {
    if (clickable) {
        state = !state;
    }
    Refresh();
}

}  // namespace korvane
