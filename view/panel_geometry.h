#pragma once

#include <QRect>
#include <QSize>

namespace korvane {

// Where the parts of a device form go for a given client size.
struct PanelGeometry {
    QRect panel;     // the control panel; empty (zero width at the right edge) when hidden
    QRect display;   // the waveform display
    QRect slider;    // the arbitrary window slider; empty unless arbitrary
    QRect showHide;  // the button that shows or hides the panel
};

// The panel keeps its width at the right edge with a 5-pixel margin; the display fills the rest
// less a 10-pixel gap, and for the arbitrary type leaves 20 pixels at the bottom to the slider.
// The show/hide button stands in the gap, centred on the panel's height.
// The panel scrolls in a client lower than `panel`: it is then wider by the scroll bar, and in a
// client too narrow for it, it leaves the display kMinimumDisplayWidth and scrolls sideways too.
inline constexpr int kMinimumDisplayWidth = 100;

PanelGeometry ArrangePanel(QSize client, QSize panel, bool controlsShown, bool arbitrary,
                           QSize showHideButton, int scrollBarWidth);

}  // namespace korvane
