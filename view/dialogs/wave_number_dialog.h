#pragma once

#include <QDialog>

class QLineEdit;

namespace korvane {

// The Wave Number dialog: how many periods the display shows, a whole number 1..99. Every
// change that gives a whole number is read and limited at once; OK reads it once more and keeps
// the dialog open, with a message, when the field holds no whole number.
class WaveNumberDialog : public QDialog {
    Q_OBJECT
  public:
    explicit WaveNumberDialog(int waveNumber, QWidget* parent = nullptr);

    // The last number read from the field.
    int Value() const { return value_; }
    QLineEdit& Field() const { return *field_; }

  private:
    enum class TextCheck { Quiet, Report };
    // Reads the field; a number beyond the limits is limited and shown again. False when the
    // text is not a whole number: the value stays, and with Report a message says so.
    bool Exchange(TextCheck check);

    QLineEdit* field_;
    int value_;
};

}  // namespace korvane
