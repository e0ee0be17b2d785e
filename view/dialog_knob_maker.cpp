#include "view/dialog_knob_maker.h"

#include "document/dialogs/dialog_knob.h"
#include "view/controls/turn_button.h"

namespace korvane {

void UsePanelKnobInDialogs() {
    SetDialogKnobMaker([](QWidget* parent) { return new CTurnButton(parent); });
}

}  // namespace korvane
