// Where the display, the panel, the slider and the show/hide button go, and the panel's backdrop.

#include "view/multi_tessel_view.h"

#include <QGroupBox>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

#include "view/panel_geometry.h"
#include "view/wave_display.h"

namespace korvane {

namespace {

constexpr int kPanelFillMargin = 5;
constexpr int kPanelMargins = 15;

}  // namespace

void CMultiTesselView::ToggleControls() {
    controlsShown_ = !controlsShown_;
    LayoutPanel();
    ShowShowHideArrow();
}

// The arrow points where the panel goes when the button is pressed.
void CMultiTesselView::ShowShowHideArrow() {
    showHide_->setArrowType(controlsShown_ ? Qt::RightArrow : Qt::LeftArrow);
}

void CMultiTesselView::LayoutPanel() {
    const PanelGeometry geometry =
        ArrangePanel(size(), form_.group->size(), controlsShown_, IsArbitrary(), showHide_->size(),
                     panelScroll_->verticalScrollBar()->sizeHint().width());
    panelRect_ = geometry.panel;
    panelScroll_->setGeometry(geometry.panel);
    panelScroll_->setVisible(controlsShown_);
    display_->setGeometry(geometry.display);
    slider_->setGeometry(geometry.slider);
    slider_->setVisible(IsArbitrary());
    showHide_->setGeometry(geometry.showHide);
    update();
}

QSize CMultiTesselView::sizeHint() const {
    constexpr int kComfortableDisplayWidth = 420;
    return {kComfortableDisplayWidth + kPanelMargins + PanelForm::kWidth, PanelForm::kHeight};
}

// Small enough for a 500 x 400 main window: a narrow display beside the panel's full width with
// its vertical scroll bar, so the widest control (the readout) still shows whole.
QSize CMultiTesselView::minimumSizeHint() const {
    constexpr int kMinimumHeight = 200;
    const int scrollBar = panelScroll_->verticalScrollBar()->sizeHint().width();
    return {kMinimumDisplayWidth + kPanelMargins + PanelForm::kWidth + scrollBar, kMinimumHeight};
}

int CMultiTesselView::DisplayWidth() const {
    return display_->width();
}

void CMultiTesselView::resizeEvent(QResizeEvent* event) {
    DeviceView::resizeEvent(event);
    if (initialised_ && width() != 0) {
        LayoutPanel();
    }
}

void CMultiTesselView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const int left = panelRect_.left() - (showHide_->width() + 2);
    const int right = panelRect_.left() + panelRect_.width() + kPanelFillMargin;
    painter.fillRect(QRect(left, 0, right - left, height()), palette().button());
}

}  // namespace korvane
