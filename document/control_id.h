#pragma once

class QWidget;

namespace korvane {

// Every translatable widget carries its numeric control id; the language table retitles it by
// that number.
void SetControlId(QWidget& widget, int id);
// The widget's control id, 0 when it has none.
int ControlId(const QWidget& widget);

}  // namespace korvane
