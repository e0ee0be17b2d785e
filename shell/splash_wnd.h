#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace korvane {

// The picture shown for six seconds while the program comes up. Any key or mouse-button press in
// the program closes it and is swallowed; a left click on its left 40 % opens the manual.
class CSplashWnd : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kDisplayMilliseconds = 6000;

    static void SetSplashEnabled(bool enabled);
    // Shows the picture file centred on `owner`; nothing when disabled, already shown, or the
    // picture cannot be read.
    static void ShowSplash(QWidget* owner, const QString& picturePath);
    static void HideSplash();
    static CSplashWnd* Current();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CSplashWnd(QPixmap picture, QWidget* owner);
    ~CSplashWnd() override;

    QPixmap picture_;
    QTimer timer_;
    QWidget* owner_;
};

}  // namespace korvane
