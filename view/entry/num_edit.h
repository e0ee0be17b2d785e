#pragma once

#include <QLineEdit>

#include "view/entry/num_entry.h"

namespace korvane {

// An entry field for one bounded decimal value of a wave-parameter dialog, optionally shown in
// thousandths. The dialog sets the bounds, unit flags and decimals (the NumEntry members) after
// creation, calls Parse when the text changes and then reads GetValue.
class CNumEdit : public QLineEdit, public NumEntry {
    Q_OBJECT
  public:
    explicit CNumEdit(QWidget* parent = nullptr);

    // Stores a value given in base units; with show, rewrites the text from it.
    void SetValue(float value, bool show);
    // Reads the text into the value, kept within the bounds; the text stays as typed.
    void Parse();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Leaving the field or pressing Enter ends the entry: see ShowValueOnEnd.
    void focusOutEvent(QFocusEvent* event) override;

  private:
    std::string EntryText() const;
    // A field with a fixed unit, or one whose text lies beyond the bounds, shows its (limited)
    // value again.
    void ShowValueOnEnd();
};

}  // namespace korvane
