#include "document/message_box.h"

#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace korvane {

void ShowMessageBox(QWidget* parent, const QString& text) {
    // While the main window is still hidden (at start-up), the box is centred on the screen.
    QWidget* owner = parent != nullptr && parent->window()->isVisible() ? parent : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Arbitrary Function Generator"), text,
                    QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace korvane
