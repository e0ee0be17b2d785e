#include "view/spin_buttons.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

namespace korvane {

namespace {

QToolButton* MakeArrowKey(QWidget* parent, Qt::ArrowType arrow) {
    auto* key = new QToolButton(parent);
    key->setArrowType(arrow);
    key->setAutoRepeat(true);
    key->setFocusPolicy(Qt::NoFocus);
    return key;
}

}  // namespace

SpinButtons::SpinButtons(QWidget* parent)
    : QWidget(parent),
      up_(MakeArrowKey(this, Qt::UpArrow)),
      down_(MakeArrowKey(this, Qt::DownArrow)) {
    connect(up_, &QToolButton::clicked, this, [this] { emit DeltaPos(-1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit DeltaPos(+1); });
    setFocusPolicy(Qt::StrongFocus);
}

// The keys leave a one-pixel rim where the focus frame shows.
void SpinButtons::resizeEvent(QResizeEvent*) {
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    const int half = inside.height() / 2;
    up_->setGeometry(inside.left(), inside.top(), inside.width(), half);
    down_->setGeometry(inside.left(), inside.top() + half, inside.width(), inside.height() - half);
}

void SpinButtons::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        emit DeltaPos(-1);
    } else if (event->key() == Qt::Key_Down) {
        emit DeltaPos(+1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void SpinButtons::paintEvent(QPaintEvent*) {
    if (hasFocus()) {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.0));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace korvane
