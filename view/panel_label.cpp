#include "view/panel_label.h"

#include <QFontMetrics>

namespace korvane {

namespace {
constexpr double kSizeStep = 0.5;
}

PanelLabel::PanelLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
}

void PanelLabel::SetText(const QString& text) {
    setText(text);
    Fit();
}

void PanelLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void PanelLabel::Fit() {
    QFont fitted = parentWidget() != nullptr ? parentWidget()->font() : QFont();
    const QRect room = contentsRect();
    for (double size = fitted.pointSizeF(); size > kSmallestPointSize; size -= kSizeStep) {
        fitted.setPointSizeF(size);
        const QRect needed = QFontMetrics(fitted).boundingRect(QRect(0, 0, room.width(), 1 << 16),
                                                               Qt::TextWordWrap, text());
        if (needed.width() <= room.width() && needed.height() <= room.height()) {
            break;
        }
    }
    setFont(fitted);
}

}  // namespace korvane
