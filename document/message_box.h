#pragma once

class QString;
class QWidget;

namespace korvane {

// The application title in the current language ("Arbitrary Function Generator" in English).
QString MessageBoxCaption();

// The program's modal message: the application title as caption, one OK button. The box is wide
// enough to show the whole caption.
void ShowMessageBox(QWidget* parent, const QString& text);

}  // namespace korvane
