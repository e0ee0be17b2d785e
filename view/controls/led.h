#pragma once

#include <QWidget>

namespace korvane {

// Indicator lamp. `Value` TRUE lights it. It takes no input.
class CLED : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE SetValue)

  public:
    explicit CLED(QWidget* parent = nullptr);

    bool Value() const { return value_; }
    void SetValue(bool lit);

    QSize sizeHint() const override { return {12, 12}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool value_ = false;
};

}  // namespace korvane
