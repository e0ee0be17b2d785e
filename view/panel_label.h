#pragma once

#include <QLabel>

namespace korvane {

// A caption of the front panel that keeps its whole text inside its fixed rectangle: a long
// translation wraps onto a second line when the label is tall enough for one, and is set in a
// smaller type when it still does not fit.
class PanelLabel : public QLabel {
    Q_OBJECT
    // The language table retitles controls through this property.
    Q_PROPERTY(QString text READ text WRITE SetText)

  public:
    static constexpr double kSmallestPointSize = 6.5;

    explicit PanelLabel(QWidget* parent = nullptr);

    void SetText(const QString& text);
    // The point size the text is set in now.
    double FittedPointSize() const { return font().pointSizeF(); }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Fit();
};

}  // namespace korvane
