#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "document/device_view.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/poll_coordinator.h"
#include "view/dialogs/dialog_support.h"

namespace korvane {

// The smallest device window a document needs; the document changes the channel, not the
// window.
class PanelStandIn : public DeviceView {
  public:
    explicit PanelStandIn(CMultiTesselDoc& document) : DeviceView(document, nullptr) {}
};

// A document on one simulated generator with its stand-in panel; messages are collected
// instead of shown.
struct DocumentFixture {
    explicit DocumentFixture(bool real = false) : library(1) {
        document.m_pState = std::make_unique<ChannelState>(library, coordinator);
        if (real) {
            Channel().demo = 0;
            Channel().deviceIndex = 0;
        }
        document.SetView(&panel);
    }
    ~DocumentFixture() { document.SetView(nullptr); }

    ChannelState& Channel() { return *document.m_pState; }
    void DrainQueue() {
        while (Channel().PopCommand() != 0) {
        }
    }
    // Runs worker cycles until every queued command has reached the simulated device.
    void RunQueue() {
        while (!Channel().QueuedCommands().empty()) {
            Channel().Poll();
        }
    }

    SimulatedDeviceLibrary library;
    PollCoordinator coordinator;
    CMultiTesselDoc document;
    PanelStandIn panel{document};
    QStringList messages;
    ScopedMessageSink sink{[this](QWidget*, const QString& text) { messages.append(text); }};
};

}  // namespace korvane
