#include "view/spin_buttons.h"

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
}

void SpinButtons::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace korvane
