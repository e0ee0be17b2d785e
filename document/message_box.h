#pragma once

class QString;
class QWidget;

namespace korvane {

// The program's modal message: caption "Arbitrary Function Generator", one OK button.
void ShowMessageBox(QWidget* parent, const QString& text);

}  // namespace korvane
