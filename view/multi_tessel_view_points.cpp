// Editing the arbitrary waveform: zooming its window, drawing points with the mouse and the
// Points Edit dialog.

#include "view/multi_tessel_view.h"

#include <QMouseEvent>
#include <QSlider>
#include <algorithm>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "view/dialogs/points_edit_dialog.h"
#include "view/point_column.h"
#include "view/wave_display.h"

namespace korvane {

void CMultiTesselView::ZoomIn() {
    if (!IsArbitrary()) {
        return;
    }
    ChannelState& channel = Channel();
    channel.SetArbView(float(slider_->value()) / float(slider_->maximum()));
    if (channel.arbViewLast - channel.arbViewFirst + 1 >= 201) {
        channel.arbZoom = channel.arbZoom + 1;
    }
}

void CMultiTesselView::ZoomOut() {
    if (!IsArbitrary()) {
        return;
    }
    ChannelState& channel = Channel();
    if (channel.arbZoom > 0) {
        channel.arbZoom = channel.arbZoom - 1;
    }
}

// ---- drawing points with the mouse
// ---------------------------------------------------------------

PlotArea CMultiTesselView::Plot() const {
    return PlotArea::FromRect(display_->PlotRect().translated(display_->pos()));
}

void CMultiTesselView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !IsArbitrary()) {
        return;
    }
    const PlotArea plot = Plot();
    ChannelState& channel = Channel();
    // The scale the display last drew with; kept fresh in case the display changed size since.
    channel.ArbViewScale(float(plot.right - plot.left));
    if (std::optional<int> index = stroke_.Press(channel, plot, event->position().toPoint())) {
        display_->SetCursorIndex(*index);
        grabMouse();
    }
}

void CMultiTesselView::mouseMoveEvent(QMouseEvent* event) {
    if (!IsArbitrary()) {
        return;
    }
    const PointStroke::Cursor cursor = stroke_.Move(Channel(), Plot(), event->position().toPoint());
    display_->SetCursorX(cursor.x);
    if (cursor.index) {
        display_->SetCursorIndex(*cursor.index);
        display_->Refresh();
    }
}

void CMultiTesselView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
    if (IsArbitrary()) {
        stroke_.Release(Channel());
    }
}

void CMultiTesselView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !IsArbitrary()) {
        return;
    }
    const PlotArea plot = Plot();
    const QPoint at = event->position().toPoint();
    if (plot.Contains(at)) {
        EditPoints(PointAt(Channel(), plot, at.x()));
    }
    Channel().RequestDownload();
}

// ---- dialogs ---------------------------------------------------------------------------------

void CMultiTesselView::EditPoints(int start) {
    PointsEditDialog dialog(
        Document(), start,
        [this](int index, int column) {
            display_->SetCursorIndex(index);
            display_->SetCursorX(column);
            display_->Refresh();
        },
        this);
    dialog.exec();
}

// Starts at the first point of the window the mouse maps to.
void CMultiTesselView::EditPointsFromMenu() {
    ChannelState& channel = Channel();
    const int count = channel.arbPointCount;
    if (!IsArbitrary() || count < 1) {
        return;
    }
    const int start = std::clamp(
        static_cast<int>((count - channel.arbScrollRange) * double(channel.arbViewPosition)), 0,
        count - 1);
    display_->SetCursorX(PointToColumn(Document(), start));
    EditPoints(start);
    channel.RequestDownload();
}

}  // namespace korvane
