#pragma once

#include <QWidget>

#include "view/controls/stock_mouse.h"

namespace korvane {

// Rotary knob. `Value` is the pointer angle in radians, 0 at the top, growing clockwise; one
// full turn is 6.28. Turning by mouse or wheel keeps it within one turn, so it jumps back across
// 0 when the pointer passes the top.
//
// Dragging turns the knob by the angle the pointer sweeps around its centre (pressing does not
// jump it to the pointer). Notifications follow the value: the angle changes first, then
// MouseDown / MouseMove / MouseUp is emitted. One wheel notch turns by kWheelStep and is
// delivered as a complete MouseDown + MouseUp; so is one press of an arrow key while the knob has
// the focus (Up and Right clockwise, Down and Left anticlockwise; Page Up and Page Down turn by
// four notches).
class CTurnButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)

  public:
    static constexpr double kFullTurn = 6.28;
    static constexpr double kWheelStep = kFullTurn / 64.0;

    explicit CTurnButton(QWidget* parent = nullptr);

    double Value() const { return value_; }
    // A written angle within 0..kFullTurn is kept as it is (a full turn reads back as one);
    // anything else is brought into one turn, and a non-finite one becomes 0.
    void SetValue(double angle);

    QSize sizeHint() const override { return {82, 83}; }
    QSize minimumSizeHint() const override { return {24, 24}; }

  signals:
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPointF Centre() const;
    double Radius() const;
    // Angle of the pointer position around the centre, in the knob's units.
    double AngleAt(QPointF position) const;
    void TurnBy(double delta);
    // Turns by whole notches, each gesture a MouseDown + MouseUp carrying `mouse`.
    void TurnByNotches(int notches, StockMouse mouse);

    double value_ = 0.0;
    bool turning_ = false;
    double grabAngle_ = 0.0;
    int wheelRemainder_ = 0;
};

// An angle in the knob's units brought into [0, kFullTurn); non-finite gives 0.
double WrapTurn(double angle);

}  // namespace korvane
