#include "document/message_box.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QString>
#include <QWidget>

#include "document/user_message.h"

namespace korvane {

namespace {

constexpr int kCaptionKey = 2071;
// Room the window manager takes beside the caption: the icon and the close button.
constexpr int kCaptionDecorationWidth = 120;

// A short message makes a narrow box whose title bar would cut the caption off: the box is made
// at least as wide as the caption needs.
void FitCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    const int width =
        box.fontMetrics().horizontalAdvance(box.windowTitle()) * 5 / 4 + kCaptionDecorationWidth;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QString MessageBoxCaption() {
    return LanguageTextOr(kCaptionKey, "Arbitrary Function Generator");
}

void ShowMessageBox(QWidget* parent, const QString& text) {
    // While the main window is still hidden (at start-up), the box is centred on the screen.
    QWidget* owner = parent != nullptr && parent->window()->isVisible() ? parent : nullptr;
    QMessageBox box(QMessageBox::NoIcon, MessageBoxCaption(), text, QMessageBox::Ok, owner);
    FitCaption(box);
    box.exec();
}

}  // namespace korvane
