#include "shell/placeholder_view.h"

#include <QPainter>

#include "document/multi_tessel_doc.h"
#include "shell/device_view_factory.h"
#include "view/dialog_knob_maker.h"
#include "view/multi_tessel_view.h"

namespace korvane {

PlaceholderView::PlaceholderView(CMultiTesselDoc& document, QWidget* parent)
    : DeviceView(document, parent) {
    setMinimumSize(200, 120);
}

void PlaceholderView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(30, 0, 50));
    painter.setPen(QColor(200, 200, 200));
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    painter.setFont(font);
    painter.drawText(rect(), Qt::AlignCenter, Document().m_strDeviceName);
}

DeviceViewFactory DefaultDeviceViewFactory() {
    // The panel's parameter dialogs turn the same knob as the panel.
    UsePanelKnobInDialogs();
    return [](CMultiTesselDoc& document, QWidget* parent) -> DeviceView* {
        return new CMultiTesselView(document, parent);
    };
}

}  // namespace korvane
