// The panel's keys and switches: the wave-type keys, the on/off keys with their lamps, the
// measure-mode and trigger-edge switches, and what choosing a wave type does to the panel.

#include "view/multi_tessel_view.h"

#include <QShortcut>
#include <QSlider>
#include <functional>

#include "document/multi_tessel_doc.h"
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/on_off.h"
#include "view/entry/step_edit.h"

namespace korvane {

void CMultiTesselView::ConnectKeys() {
    // Ctrl+1 .. Ctrl+9 press the wave keys in their reading order on the panel, anywhere in the
    // window; the key's tooltip names its shortcut.
    static_assert(kWaveTypeCount <= 9, "one digit per wave key");
    for (int type = 0; type < kWaveTypeCount; ++type) {
        connect(form_.waveKeys[type], &COnOff::MouseDown, this,
                [this, type] { SelectWaveType(type); });
        const QKeySequence keys(Qt::CTRL | Qt::Key(Qt::Key_1 + type));
        auto* shortcut = new QShortcut(keys, this, this, [this, type] { SelectWaveType(type); });
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        form_.waveKeys[type]->setToolTip(keys.toString(QKeySequence::NativeText));
    }
    // Each key's new state goes to its lamp and to the channel.
    const auto wire = [this](KeyWithLamp& pair, std::function<void(ChannelState&, int)> apply) {
        connect(pair.key, &COnOff::MouseDown, this, [this, pair, apply] {
            const bool on = pair.key->Value();
            pair.lamp->SetValue(on);
            apply(Channel(), on ? 1 : 0);
        });
    };
    wire(form_.extTrigger, [](ChannelState& c, int on) { c.SetExtTrigger(on); });
    wire(form_.measureOn, [](ChannelState& c, int on) { c.SetMeasureOn(on); });
    wire(form_.attenuate20dB, [](ChannelState& c, int on) { c.SetAttenuate20dB(on); });
    wire(form_.singleWave, [](ChannelState& c, int on) { c.SetSingleWave(on); });
    wire(form_.outputOn, [](ChannelState& c, int on) {
        c.SetOutputOn(on);
        c.RequestDownload();
    });
    connect(form_.measureMode, &CLeftRight::Click, this,
            [this] { Channel().SetMeasureFrequency(form_.measureMode->Value() ? 0 : 1); });
    connect(form_.triggerEdge, &CLeftRight::Click, this,
            [this] { Channel().SetTriggerEdge(form_.triggerEdge->Value() ? 1 : 0); });
}

// ---- wave type
// -----------------------------------------------------------------------------------

void CMultiTesselView::SelectWaveType(int type) {
    if (type < 0 || type >= kWaveTypeCount) {
        return;
    }
    ChannelState& channel = Channel();
    const int old = channel.waveType;
    const double oldFrequency = channel.frequency;
    // The Arb key turns the wave that is on into points.
    ChangeWaveType(channel, type, ArbitraryTable::FromCurrentWave);
    if (type != old) {
        if (old >= 0 && old < kWaveTypeCount) {
            form_.waveKeys[old]->SetValue(false);
        }
        slider_->setEnabled(type == Arbitrary);
        slider_->setVisible(type == Arbitrary);
        if (type == Arbitrary) {
            Document().m_strFileName = QString::fromLatin1(kNoCsvFileName);
            form_.phase->SetValue(0.0);
            form_.phase->ShowValue();
        }
        LayoutPanel();
    }
    form_.waveKeys[type]->SetValue(true);
    if (channel.frequency != oldFrequency) {
        ShowFrequency();  // limited to the new type's maximum
    }
    if (type != Arbitrary) {
        Document().m_strFileName = QString::fromLatin1(kNoCsvFileName);
    }
}

void CMultiTesselView::ShowFrequency() {
    form_.frequency->SetValue(Channel().frequency);
    form_.frequency->ShowValue();
}

}  // namespace korvane
