#pragma once

#include <functional>

class QObject;
class QWidget;

namespace korvane {

// The Square and Ramp dialogs turn the panel's rotary knob, which lives with the panel controls
// above this layer; the panel installs a maker for it. A knob is any widget with a double `Value`
// property (radians, 6.28 a turn) and the signals MouseDown, MouseMove and MouseUp(int, int, int,
// int), emitted after the value changed. Without a maker the dialogs show their fields alone.
using KnobMaker = std::function<QWidget*(QWidget* parent)>;
void SetDialogKnobMaker(KnobMaker maker);
QWidget* MakeDialogKnob(QWidget* parent);

double KnobValue(const QWidget& knob);
void SetKnobValue(QWidget& knob, double angle);
// Calls `handler` on each of the knob's mouse notifications.
void OnKnobEvent(QWidget& knob, QObject& receiver, std::function<void()> handler);

}  // namespace korvane
