// The view's 100 ms refresh: following the channel, the arbitrary window, the display, the
// measurement readout, and the spectrum window.

#include "view/multi_tessel_view.h"

#include <QLineEdit>
#include <QSlider>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "view/harmonics_view.h"
#include "view/measurement_text.h"
#include "view/wave_display.h"

namespace korvane {

void CMultiTesselView::TimerTick() {
    if (!Document().m_pState) {
        return;
    }
    FollowChannel();
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

void CMultiTesselView::FollowChannel() {
    // A field can end its entry before the panel was filled from the channel.
    if (!initialised_ || !Document().m_pState) {
        return;
    }
    if (follower_.Follow(form_, Channel())) {
        slider_->setEnabled(IsArbitrary());
        slider_->setVisible(IsArbitrary());
        LayoutPanel();
    }
}

void CMultiTesselView::UpdateMeasurementText() {
    const ChannelState& channel = Channel();
    // A sweep stops the measurement; the readout shows the frequency the sweep generates.
    const QString text = QString::fromStdString(
        channel.sweepOn == 1 ? FrequencyReadoutText(channel.SweepFrequency())
                             : MeasurementText(channel.measureFrequency, channel.counterValue,
                                               channel.measuredFrequency));
    if (text != form_.readout->text()) {
        form_.readout->setText(text);
    }
}

}  // namespace korvane
