#pragma once

#include <QImage>

class QWidget;

namespace korvane {

// The picture of a widget painted by its own paint code (never read back from the screen, so a
// window lying over it is not copied). Null when the widget has no area.
QImage RenderWidgetPicture(QWidget& widget);

// Puts the waveform display's picture on the clipboard; false when there is no picture or no
// clipboard.
bool CopyDisplayToClipboard(QWidget& display);

}  // namespace korvane
