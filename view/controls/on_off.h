#pragma once

#include <QWidget>

namespace korvane {

// Push-on / push-off key. `Value` is TRUE while the key is pressed in. A left-button press flips
// `Value` first and then emits MouseDown, so a listener reads the new state.
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

  private:
    bool value_ = false;
};

}  // namespace korvane
