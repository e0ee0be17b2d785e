#pragma once

#include <QDialog>

#include "engine/channel_rules.h"

namespace korvane {

class ChannelState;
class CNumEdit;

// The duty of a knob angle: one turn (6.28) is a duty of 1, kept within 0..1.
float DutyFromKnobAngle(double angle);

// The Square and Ramp dialogs: one duty field paired with a knob. Every change goes to the
// channel at once and is downloaded; closing (Enter, Escape or the close box) keeps it.
class DutyDialog : public QDialog {
    Q_OBJECT
  public:
    struct Layout {
        int resourceId;
        const char* title;
        int fieldId;
        int knobId;
        ShapeValue duty;
    };
    static const Layout kSquare;
    static const Layout kRamp;

    DutyDialog(ChannelState& channel, const Layout& layout, QWidget* parent = nullptr);

    CNumEdit& Field() const { return *field_; }
    // Null when no knob maker is installed.
    QWidget* Knob() const { return knob_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnFieldChanged();
    void OnKnobTurned();

    ChannelState& channel_;
    ShapeValue duty_;
    CNumEdit* field_;
    QWidget* knob_;
};

}  // namespace korvane
