#pragma once

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

class QDialog;
class QToolBar;
#include <functional>
#include <memory>

#include "engine/device_library/simulated_device_library.h"
#include "shell/main_frame.h"
#include "shell/multi_tessel_app.h"

namespace korvane {

class DeviceListDialog;

// Answers the program's modal windows while a test runs: message boxes are read and confirmed,
// the Device List is answered by `onDeviceList` (OK on the current row by default).
class ModalResponder : public QObject {
    Q_OBJECT
  public:
    ModalResponder();
    ~ModalResponder() override;

    QStringList messages;
    QStringList messageCaptions;
    // The rows each Device List showed, one list per dialog.
    QList<QStringList> deviceLists;
    std::function<void(DeviceListDialog&)> onDeviceList;
    // Answers any other modal dialog.
    std::function<void(QDialog&)> onOtherDialog;

  private:
    void Poll();
    QTimer timer_;
};

// Records the files and pages the program asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    UrlRecorder();
    ~UrlRecorder() override;
    QList<QUrl> opened;

  public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

// A program started in a fresh folder with a simulator of `devices` generators.
class ProgramUnderTest {
  public:
    explicit ProgramUnderTest(int devices);
    // A program using `library`; `simulator` (which `library` drives) is what Simulator() gives.
    ProgramUnderTest(std::unique_ptr<DeviceLibrary> library, SimulatedDeviceLibrary& simulator);
    ~ProgramUnderTest();

    QString ProgramDir() const { return programDir_.path(); }
    // Writes a text file below the program folder (folders created as needed).
    void WriteFile(const QString& relativePath, const QByteArray& content) const;
    // Runs the start-up sequence and waits for the device search; the first device window exists
    // afterwards.
    bool Start();
    // Ends the program as closing the main window does, then destroys it.
    void Quit();

    CMainFrame& Frame() const { return *app_->MainFrame(); }
    CMultiTesselApp& App() const { return *app_; }
    SimulatedDeviceLibrary& Simulator() const { return *simulator_; }
    // The device document at tab `index`.
    CMultiTesselDoc& Device(int index) const;
    QStringList TabTexts() const;
    // Chooses a menu command the way a user does: opens its menu (which refreshes the items'
    // states), then triggers the item when it is enabled. Returns whether it was enabled.
    bool ChooseMenuCommand(int id);
    // Clicks the toolbar button of a command; false when it is disabled or missing.
    bool ClickToolButton(QToolBar& toolBar, int id);
    // The state of a command's item as its opened menu shows it.
    QAction* MenuItem(int id);

    ModalResponder responder;

  private:
    QTemporaryDir programDir_;
    QTemporaryDir userDir_;
    QTemporaryDir tempDir_;
    SimulatedDeviceLibrary* simulator_ = nullptr;
    std::unique_ptr<CMultiTesselApp> app_;
};

// The bytes of a language file shipped in the source tree's language/ folder; empty when missing.
QByteArray ShippedLanguageFile(const char* name);

// Lets the event loop run until `condition` holds or a generous limit passes; returns the
// condition. Used only to wait for the channel's worker thread.
bool WaitFor(const std::function<bool()>& condition);

}  // namespace korvane
