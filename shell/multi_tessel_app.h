#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "document/command_map.h"
#include "shell/device_view_factory.h"

namespace korvane {

class CMainFrame;
class DeviceLibrary;

// Starts the program: finds its folder, creates the main frame and the first device window, and
// answers the application's commands (New, About).
class CMultiTesselApp : public QObject {
    Q_OBJECT
  public:
    struct Options {
        QString programDirectory;  // the executable's folder
        QString userFolder;        // per-user settings, used when programDirectory is read-only
        QString tempFolder;        // where the built-in language file is written
        std::unique_ptr<DeviceLibrary> library;
        DeviceViewFactory viewFactory;
    };

    explicit CMultiTesselApp(Options options);
    ~CMultiTesselApp() override;

    // The start-up sequence; false when the program cannot start.
    bool InitInstance();
    CMainFrame* MainFrame() const { return frame_.get(); }
    DeviceLibrary& Library() const { return *options_.library; }

    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();

  private:
    Options options_;
    CommandMap commands_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace korvane
