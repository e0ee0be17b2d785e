#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace korvane {

class CMultiTesselDoc;
class CNumEdit;

// Steps through the arbitrary points one by one; a typed voltage goes straight into the point
// table. Needs at least one point. The caller downloads the waveform once the dialog has closed.
class PointsEditDialog : public QDialog {
    Q_OBJECT
  public:
    // Told the edited point and its display column whenever the point changes, so the display
    // can put its cursor there.
    using PointPublisher = std::function<void(int index, int column)>;

    PointsEditDialog(CMultiTesselDoc& document, int initialIndex, PointPublisher publish,
                     QWidget* parent = nullptr);

    int Point() const { return point_; }
    QLineEdit& IndexField() const { return *index_; }
    CNumEdit& VoltageField() const { return *voltage_; }
    QPushButton& PreviousButton() const { return *previous_; }
    QPushButton& NextButton() const { return *next_; }

  protected:
    // Enter stores the typed voltage and keeps the dialog open.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int LastPoint() const;
    void Step(int delta);
    void OnIndexTyped();
    void OnVoltageTyped();
    // Stores the field's voltage at the current point.
    void Store();
    void Publish();
    void ShowIndex();
    void ShowVoltage();

    CMultiTesselDoc& document_;
    PointPublisher publish_;
    int point_;
    QLineEdit* index_;
    CNumEdit* voltage_;
    QPushButton* previous_;
    QPushButton* next_;
};

}  // namespace korvane
