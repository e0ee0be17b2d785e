// The view's 100 ms refresh: following the channel, the arbitrary window, the display, the
// measurement readout, and the spectrum window.

#include "view/multi_tessel_view.h"

#include <QLineEdit>
#include <QSlider>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "view/measurement_text.h"
#include "view/spectrum_view.h"
#include "view/wave_display.h"

namespace korvane {

void CMultiTesselView::TimerTick() {
    if (!Document().m_pState) {
        return;
    }
    if (follower_.Follow(form_, Channel())) {
        slider_->setEnabled(IsArbitrary());
        slider_->setVisible(IsArbitrary());
        LayoutPanel();
    }
    if (IsArbitrary()) {
        Channel().SetArbView(float(slider_->value()) / float(slider_->maximum()));
    }
    ShowFileName();
    display_->Refresh();
    UpdateMeasurementText();
    if (spectrum_ != nullptr && spectrum_->isVisible()) {
        spectrum_->Follow(Channel().Snapshot());
    }
}

void CMultiTesselView::UpdateMeasurementText() {
    const ChannelState& channel = Channel();
    const QString text = QString::fromStdString(
        MeasurementText(channel.measureFrequency, channel.counterValue, channel.measuredFrequency));
    if (text != form_.readout->text()) {
        form_.readout->setText(text);
    }
}

}  // namespace korvane
