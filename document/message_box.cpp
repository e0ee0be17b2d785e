#include "document/message_box.h"

#include <QMessageBox>
#include <QString>

namespace korvane {

void ShowMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Arbitrary Function Generator"), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace korvane
