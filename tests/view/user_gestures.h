#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

namespace korvane::test {

// The x coordinate at which the caret moves past character `index`: its middle.
inline int MiddleOf(QLineEdit& field, int index) {
    const int y = field.height() / 2;
    for (int x = 0; x < field.width(); ++x) {
        if (field.cursorPositionAt(QPoint(x, y)) > index) {
            return x;
        }
    }
    return field.width();
}

// Double-clicks character `index` of the field, `nudge` pixels off its middle.
inline void DoubleClickCharacter(QLineEdit& field, int index, int nudge = 0) {
    QTest::mouseDClick(&field, Qt::LeftButton, Qt::NoModifier,
                       QPoint(MiddleOf(field, index) + nudge, field.height() / 2));
}

// Replaces the field's selected-all text by typing, one key at a time.
inline void Retype(QLineEdit& field, const QString& text) {
    field.selectAll();
    QTest::keyClicks(&field, text);
}

// Turns the mouse wheel over the middle of `widget`; 120 is one notch away from the user.
inline void SendWheel(QWidget& widget, int delta) {
    const QPointF at = QRectF(widget.rect()).center();
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

}  // namespace korvane::test
