#include "view/clipboard_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

namespace korvane {

QImage RenderWidgetPicture(QWidget& widget) {
    if (widget.width() <= 0 || widget.height() <= 0) {
        return {};
    }
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

bool CopyDisplayToClipboard(QWidget& display) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    const QImage picture = RenderWidgetPicture(display);
    if (picture.isNull()) {
        return false;
    }
    clipboard->setImage(picture);
    return true;
}

}  // namespace korvane
