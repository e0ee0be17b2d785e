#pragma once

#include <QWidget>

namespace korvane {

// Two-position slide switch. `Value` FALSE is the left position, TRUE the right one. A
// left-button press, or Space while it has the focus, moves the switch to the other position
// first and then emits Click; the Left and Right arrow keys move it to that side (a Click only
// when it moves).
class CLeftRight : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE SetValue)

  public:
    explicit CLeftRight(QWidget* parent = nullptr);

    bool Value() const { return value_; }
    void SetValue(bool right);

    QSize sizeHint() const override { return {29, 14}; }

  signals:
    void Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Flip();

    bool value_ = false;
};

}  // namespace korvane
