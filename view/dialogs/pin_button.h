#pragma once

#include <QPushButton>

namespace korvane {

// A key showing one digital pin's level: "H" and pressed in while `state` is 1, "L" otherwise.
// A clickable pin flips its level when the left button is released over it; an indicator only
// shows.
class PinButton : public QPushButton {
    Q_OBJECT
  public:
    explicit PinButton(QWidget* parent = nullptr);

    bool clickable = true;
    bool state = false;

    // Shows `state`.
    void Refresh();

  protected:
    void nextCheckState() override;
};

}  // namespace korvane
