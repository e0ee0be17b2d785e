#pragma once

#include <QDialog>

class QLabel;

namespace korvane {

// The About box: the program's picture, sized to it; a click on its left part opens the manual.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kDialogId = 100;
    static constexpr int kPictureId = 1278;
    // Used when the picture file beside the program is missing.
    static constexpr char kFallbackPicture[] = ":/images/about.bmp";

    AboutDialog(const QString& picturePath, QWidget* parent = nullptr);
    const QLabel& Picture() const { return *picture_; }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QLabel* picture_;
};

}  // namespace korvane
