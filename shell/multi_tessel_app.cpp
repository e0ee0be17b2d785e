#include "shell/multi_tessel_app.h"

#include "document/command_ids.h"
#include "document/csv_commands.h"
#include "document/multi_tessel_doc.h"
#include "engine/detached_threads.h"
#include "engine/device_library/device_library.h"
#include "shell/about_dialog.h"
#include "shell/main_frame.h"
#include "shell/splash_wnd.h"

namespace korvane {

CMultiTesselApp::CMultiTesselApp(Options options) : options_(std::move(options)) {
    commands_.OnCommand(kCmdFileNew, [this] { OnFileNew(); });
    commands_.OnCommand(kCmdAppAbout, [this] { OnAppAbout(); });
    commands_.OnCommand(kCmdFileOpen, [this] { OnFileOpen(); });
}

CMultiTesselApp::~CMultiTesselApp() {
    // The device windows hand their sessions off when they close; their workers end (each with
    // the power-on output) before the device library goes.
    frame_.reset();
    JoinDetachedThreads();
}

bool CMultiTesselApp::InitInstance() {
    if (!options_.library) {
        return false;
    }
    if (!options_.viewFactory) {
        options_.viewFactory = DefaultDeviceViewFactory();
    }
    CSplashWnd::SetSplashEnabled(true);
    frame_ = std::make_unique<CMainFrame>(
        CMainFrame::Setup{RuntimePaths(options_.programDirectory, options_.userFolder),
                          options_.tempFolder, options_.library.get(), options_.viewFactory});
    frame_->SetApplicationCommands(&commands_);
    // Whatever the command line holds, the program starts with a new device window, which opens
    // once the devices are counted; the frame shows itself on its first timer tick, before.
    frame_->NewDocument();
    return true;
}

void CMultiTesselApp::OnFileNew() {
    if (frame_) {
        frame_->NewDocument();
    }
}

void CMultiTesselApp::OnFileOpen() {
    // Reached only without an active device window: the chosen file opens in a new one.
    if (!frame_) {
        return;
    }
    const QString path = ChooseCsvFileWithDialog(frame_.get(), CsvFileDialog::kOpen);
    if (path.isEmpty()) {
        return;
    }
    frame_->NewDocument([path](CMultiTesselDoc& document) { ImportCsv(document, path); });
}

void CMultiTesselApp::OnAppAbout() {
    if (!frame_) {
        return;
    }
    AboutDialog about(frame_->ProgramDirectory() + QStringLiteral("/pic.bmp"), frame_.get());
    about.exec();
}

}  // namespace korvane
