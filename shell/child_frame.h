#pragma once

#include <QMdiSubWindow>
#include <QTimer>
#include <memory>

namespace korvane {

class CMultiTesselDoc;
class DeviceSession;
class DeviceView;

// The window of one device: holds its document, its form and the channel's device session. Device
// windows are maximised from creation on; only a restored window shows its title bar with the
// system menu.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr int kViewTimerMilliseconds = 100;

    explicit CChildFrame(std::unique_ptr<CMultiTesselDoc> document);
    ~CChildFrame() override;

    CMultiTesselDoc& Document() const { return *document_; }
    DeviceView* View() const { return view_; }
    void SetView(DeviceView* view);

    void StartViewTimer();
    // Starts the channel's device session: the first configuration, then the polling.
    void StartWorker();
    // Where the channel is saved when the window closes.
    void SetSettingsPath(const QString& path) { settingsPath_ = path; }

  signals:
    // The first 100 ms tick of any device window in the program.
    void FirstViewTick();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void ApplyStyleRule();
    void ViewTick();
    // Leaves the device list, saves the panel and ends the session without waiting for the
    // device (the session applies the power-on output as its last call).
    void ShutDown();

    std::unique_ptr<CMultiTesselDoc> document_;
    DeviceView* view_ = nullptr;
    std::unique_ptr<DeviceSession> session_;
    QTimer viewTimer_;
    QString settingsPath_;
    bool shutDown_ = false;
};

}  // namespace korvane
