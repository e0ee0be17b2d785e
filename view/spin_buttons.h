#pragma once

#include <QWidget>

class QToolButton;

namespace korvane {

// A pair of small up/down arrow keys beside an entry field. Each press (and each repeat while
// held) reports the position change: -1 for the upper key, +1 for the lower one. The pair takes
// the focus with Tab; then the Up and Down arrow keys act as its keys.
class SpinButtons : public QWidget {
    Q_OBJECT
  public:
    explicit SpinButtons(QWidget* parent = nullptr);

    QToolButton& UpButton() const { return *up_; }
    QToolButton& DownButton() const { return *down_; }

  signals:
    void DeltaPos(int delta);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace korvane
