#pragma once

#include <QString>

#include "document/control_id.h"
#include "document/user_message.h"

class QDialog;
class QWidget;

namespace korvane {

// Retitles the dialog's controls in the current language and takes its title from the language
// text keyed by its resource number; without a language the template texts stay.
void InitialiseDialog(QDialog& dialog, int resourceId);
// For a dialog that stays open across a change of language: InitialiseDialog again with the
// resource number it was first given.
void RetranslateDialog(QDialog& dialog);

// The texts shown when a field that takes a whole number, or a number, holds something else.
QString NotAnIntegerText();
QString NotANumberText();

// Gives `widget` its control id and returns it, so controls can be made in one expression.
template <typename Widget>
Widget* WithControlId(Widget* widget, int id) {
    SetControlId(*widget, id);
    return widget;
}

}  // namespace korvane
