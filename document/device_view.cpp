#include "document/device_view.h"

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"

namespace korvane {

namespace {
// The zoom can go in while the display window holds more points than this.
constexpr int kMinZoomWindowPoints = 200;
}  // namespace

DeviceView::DeviceView(CMultiTesselDoc& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    const auto arbitrary = [this] {
        const ChannelState* state = document_.m_pState.get();
        return state != nullptr && state->waveType == Arbitrary;
    };
    // The points editor needs at least one point to show.
    commands_.OnUpdate(kCmdPointsEdit, [this, arbitrary](CommandUi& ui) {
        ui.enabled = arbitrary() && document_.m_pState->arbPointCount >= 1;
    });
    commands_.OnUpdate(kCmdZoomOut, [this, arbitrary](CommandUi& ui) {
        ui.enabled = arbitrary() && document_.m_pState->arbZoom > 0;
    });
    commands_.OnUpdate(kCmdZoomIn, [this, arbitrary](CommandUi& ui) {
        const ChannelState* state = document_.m_pState.get();
        ui.enabled =
            arbitrary() && state->arbViewLast - state->arbViewFirst + 1 > kMinZoomWindowPoints;
    });
    commands_.OnUpdate(kCmdShowHideControl,
                       [this](CommandUi& ui) { ui.checked = ControlsShown(); });
}

void DeviceView::Translate() {
    CMultiTesselDoc::TranslateWindow(*this);
}

}  // namespace korvane
