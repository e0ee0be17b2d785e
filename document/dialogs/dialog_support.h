#pragma once

#include <QString>
#include <functional>

#include "document/control_id.h"

class QDialog;
class QWidget;

namespace korvane {

// Retitles the dialog's controls in the current language and takes its title from the language
// text keyed by its resource number; without a language the template texts stay.
void InitialiseDialog(QDialog& dialog, int resourceId);
// For a dialog that stays open across a change of language: InitialiseDialog again with the
// resource number it was first given.
void RetranslateDialog(QDialog& dialog);

// The current language's text for key, or `fallback` when the language has none.
QString LanguageTextOr(int key, const char* fallback);

// Messages of the dialogs and file commands go through one sink: a modal message box normally,
// a recorder in tests.
using MessageSink = std::function<void(QWidget* parent, const QString& text)>;
void ShowUserMessage(QWidget* parent, const QString& text);

// Replaces the message sink while it lives.
class ScopedMessageSink {
  public:
    explicit ScopedMessageSink(MessageSink sink);
    ~ScopedMessageSink();
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

  private:
    MessageSink previous_;
};

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
