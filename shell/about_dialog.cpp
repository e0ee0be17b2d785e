#include "shell/about_dialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "document/control_id.h"
#include "document/help_file.h"
#include "document/multi_tessel_doc.h"
#include "shell/manual_link.h"

namespace korvane {

AboutDialog::AboutDialog(const QString& picturePath, QWidget* parent)
    : QDialog(parent), picture_(new QLabel(this)) {
    SetControlId(*picture_, kPictureId);
    CMultiTesselDoc::TranslateWindow(*this);
    setWindowTitle(CMultiTesselDoc::GetLanguageText(kDialogId));

    QPixmap picture(picturePath);
    if (picture.isNull()) {
        picture = QPixmap(QString::fromLatin1(kFallbackPicture));
    }
    picture_->setPixmap(picture);
    picture_->setGeometry(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
    // The label passes clicks on to the dialog.
    picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(picture_->size());
}

void AboutDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        InManualLinkArea(rect(), event->position().toPoint())) {
        OpenHelpFile();
    }
    QDialog::mouseReleaseEvent(event);
}

}  // namespace korvane
