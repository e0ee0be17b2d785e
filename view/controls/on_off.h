#pragma once

#include <QWidget>

namespace korvane {

// Push-on / push-off key. `Value` is TRUE while the key is pressed in. A left-button press, or
// Space while the key has the focus, flips `Value` first and then emits MouseDown (as a left
// button at the key's centre for Space), so a listener reads the new state.
class COnOff : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE SetValue)

  public:
    explicit COnOff(QWidget* parent = nullptr);

    bool Value() const { return value_; }
    void SetValue(bool pressed);

    QSize sizeHint() const override { return {32, 19}; }

  signals:
    void MouseDown(int button, int shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Press(Qt::KeyboardModifiers modifiers, QPointF position);

    bool value_ = false;
};

}  // namespace korvane
