#include "view/dialog_knob_maker.h"

#include "view/controls/turn_button.h"
#include "view/dialogs/dialog_knob.h"

namespace korvane {

void UsePanelKnobInDialogs() {
    SetDialogKnobMaker([](QWidget* parent) { return new CTurnButton(parent); });
}

}  // namespace korvane
