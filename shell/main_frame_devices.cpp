// Opening a device window: claiming a device (asking the user where there is a choice), loading
// its default settings, starting it; the list of open devices.

#include "shell/main_frame.h"

#include <QDialog>
#include <QMdiArea>
#include <QScreen>

#include "document/device_view.h"
#include "document/message_box.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_claim.h"
#include "engine/device_search.h"
#include "shell/app_config.h"
#include "shell/child_frame.h"
#include "shell/device_list_dialog.h"
#include "shell/splash_wnd.h"

namespace korvane {

namespace {

constexpr int kNoHardwareMessage = 2012;

}  // namespace

// Asks the user about devices while a new window claims one.
class CMainFrame::Chooser : public DeviceChooser {
  public:
    explicit Chooser(CMainFrame& frame) : frame_(frame) {}

    void ReportNoHardware() override {
        ShowMessageBox(&frame_, frame_.GetLangString(kNoHardwareMessage));
    }

    std::optional<int> ChooseDevice(const std::vector<int>& freeDevices) override {
        CSplashWnd::HideSplash();
        frame_.repaint();
        DeviceListDialog dialog(freeDevices, frame_.setup_.library, frame_.language_, &frame_);
        if (!frame_.isVisible()) {
            // The frame shows itself later, centred; the dialog is centred where it will be.
            dialog.adjustSize();
            if (const QScreen* screen = frame_.screen()) {
                dialog.move(screen->availableGeometry().center() - dialog.rect().center());
            }
        }
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.ChosenDevice();
    }

  private:
    CMainFrame& frame_;
};

// ---- device windows
// ------------------------------------------------------------------------------

std::vector<int> CMainFrame::TakenDevices() const {
    std::vector<int> taken;
    for (const CMultiTesselDoc* document : devices_.Documents()) {
        if (document->m_pState) {
            taken.push_back(document->m_pState->deviceIndex);
        }
    }
    return taken;
}

void CMainFrame::NewDocument(std::function<void(CMultiTesselDoc&)> then) {
    if (setup_.library == nullptr) {
        return;
    }
    if (!devicesFound_) {
        waitingWindows_.push_back(std::move(then));
        return;
    }
    CMultiTesselDoc& document = OpenDeviceWindow();
    if (then) {
        then(document);
    }
}

void CMainFrame::DevicesFound(int count) {
    if (!search_) {
        return;  // the count was on its way when the program was closed
    }
    devicesFound_ = count;
    search_.reset();
    std::vector<std::function<void(CMultiTesselDoc&)>> waiting;
    waiting.swap(waitingWindows_);
    for (auto& then : waiting) {
        NewDocument(std::move(then));
    }
}

CMultiTesselDoc& CMainFrame::OpenDeviceWindow() {
    auto* child = new CChildFrame(std::make_unique<CMultiTesselDoc>());
    CMultiTesselDoc& document = child->Document();
    child->SetView(setup_.viewFactory(document, child));
    connect(child, &CChildFrame::FirstViewTick, this, &CMainFrame::RedrawMenuBar);

    document.CreateState(*setup_.library);
    Chooser chooser(*this);
    SelectDevice(*document.m_pState, *devicesFound_, TakenDevices(), chooser);
    // Only a real generator's window reads and leaves the panel the next one starts from; a
    // demo's panel is no starting point for hardware.
    if (document.m_pState->demo == 0) {
        document.LoadSettings(setup_.paths.ReadPath(QString::fromLatin1(kDefaultSettingsFileName)));
        child->SetSettingsPath(DefaultSettingsPath());
    }
    AddDevice(document);
    child->StartViewTimer();
    child->View()->InitialUpdate();
    TranslateWindow(*child->View());
    child->StartWorker();

    mdiArea_->addSubWindow(child);
    child->showMaximized();
    mdiArea_->setActiveSubWindow(child);
    return document;
}

void CMainFrame::AddDevice(CMultiTesselDoc& document) {
    connect(&document, &CMultiTesselDoc::LeftDeviceList, this, &CMainFrame::RemoveDevice);
    devices_.Add(document);
    RebuildTabs();
}

void CMainFrame::RemoveDevice(int index) {
    devices_.Remove(index);
    RebuildTabs();
}

QString CMainFrame::DefaultSettingsPath() const {
    return setup_.paths.WritePath(QString::fromLatin1(kDefaultSettingsFileName));
}

}  // namespace korvane
