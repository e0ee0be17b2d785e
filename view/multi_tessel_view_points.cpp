// Editing the arbitrary waveform: zooming its window, drawing points with the mouse (a Shift
// press draws a straight line from the last drawn point), the Points Edit dialog, and the
// measuring cursors on the right and middle mouse buttons.

#include "view/multi_tessel_view.h"

#include <QMouseEvent>
#include <QSlider>
#include <algorithm>

#include "document/multi_tessel_doc.h"
#include "document/point_edits.h"
#include "engine/channel_state.h"
#include "view/dialogs/points_edit_dialog.h"
#include "view/point_column.h"
#include "view/wave_cursors.h"
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
    if (!IsArbitrary()) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        cursors_->Press(event->button(), at - display_->pos());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const PlotArea plot = Plot();
    ChannelState& channel = Channel();
    // The scale the display last drew with; kept fresh in case the display changed size since.
    channel.ArbViewScale(float(plot.right - plot.left));
    PointTable before = ReadPointTable(channel);
    const bool straightLine = event->modifiers().testFlag(Qt::ShiftModifier);
    if (std::optional<int> index = stroke_.Press(channel, plot, at, straightLine)) {
        strokeBefore_ = std::move(before);
        display_->SetCursorIndex(*index);
        display_->Refresh();
        grabMouse();
    }
}

void CMultiTesselView::mouseMoveEvent(QMouseEvent* event) {
    if (!IsArbitrary()) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (event->buttons().testFlag(Qt::RightButton)) {
        cursors_->Drag(at - display_->pos());
    }
    const PointStroke::Cursor cursor = stroke_.Move(Channel(), Plot(), at);
    display_->SetCursorX(cursor.x);
    if (cursor.index) {
        display_->SetCursorIndex(*cursor.index);
        display_->Refresh();
    }
}

void CMultiTesselView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        cursors_->Release();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
    if (IsArbitrary()) {
        const bool stroke = stroke_.Dragging();
        stroke_.Release(Channel());
        if (stroke) {
            // One stroke, however long, is one undo step.
            RecordPointChange(Document(), std::move(strokeBefore_));
            strokeBefore_.clear();
        }
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
    PointTable before = ReadPointTable(Channel());
    PointsEditDialog dialog(
        Document(), start,
        [this](int index, int column) {
            display_->SetCursorIndex(index);
            display_->SetCursorX(column);
            display_->Refresh();
        },
        this);
    dialog.exec();
    // Everything typed while the dialog was open is one undo step.
    RecordPointChange(Document(), std::move(before));
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
