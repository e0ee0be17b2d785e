#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "document/command_map.h"
#include "document/document_context.h"
#include "i18n/language_table.h"
#include "shell/device_list.h"
#include "shell/device_view_factory.h"
#include "shell/qt_translations.h"
#include "shell/remembered_config.h"
#include "shell/remote_service.h"
#include "shell/runtime_paths.h"

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class QStackedWidget;
class QToolBar;

namespace korvane {

class CChildFrame;
class ChannelState;
class DeviceLibrary;
class DeviceSearch;
class DeviceTabBar;
class StatusPanes;

// The main window: menus, toolbars, the device tabs, the status bar, the language table and the
// list of device windows.
// Its members are defined by job: main_frame.cpp (the window, its menus and toolbar, the timer),
// main_frame_commands.cpp (the command chain), main_frame_devices.cpp (opening device windows),
// main_frame_tabs.cpp (the device tabs), main_frame_language.cpp and main_frame_settings.cpp
// (config.ini, the remote control, the window's placement). The status bar's panes are a
// StatusPanes; the Window menu's entries and arrangements are in window_menu.h; config.ini is read
// and written by app_config.h.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kTimerMilliseconds = 200;
    static constexpr int kWidth = 870;
    static constexpr int kHeight = 600;
    // The language key of "Close": the tab menu's item and the button beside the device tabs.
    static constexpr int kCloseTextKey = 2078;

    struct Setup {
        RuntimePaths paths;
        QString tempFolder;
        DeviceLibrary* library = nullptr;
        DeviceViewFactory viewFactory;
    };

    explicit CMainFrame(Setup setup);
    ~CMainFrame() override;

    // ---- the program's language and folders ---------------------------------------------------
    const LanguageTable& Language() const { return language_; }
    // Retitles the widgets with a control id that belong to `window` (not those of a nested
    // window) in the current language.
    void TranslateWindow(QWidget& window) const;
    QString ProgramDirectory() const { return setup_.paths.ProgramDirectory(); }
    // Where "Default.set" is read from and written to.
    QString DefaultSettingsPath() const;
    // Drops the document numbered `index` from the device list and redraws the tabs.
    void RemoveDevice(int index);
    // Closes the device of the selected tab.
    void CloseSelectedDevice();

    // ---- commands ------------------------------------------------------------------------------
    // The application's own commands; they come last in the chain.
    void SetApplicationCommands(const CommandMap* commands) { appCommands_ = commands; }
    void OnCommand(int id);
    CommandUi CommandState(int id) const;
    // The one action of a command, shared by both menu bars, the toolbar and the accelerators.
    QAction* CommandAction(int id);
    // Refreshes the enabled and checked states of a menu's items (before it shows).
    void UpdateMenuItems(QMenu& menu);

    // ---- device windows ------------------------------------------------------------------------
    // Opens a new device window: claims a device or falls back to demo, names it, starts it, then
    // hands it to `then`. While the devices are still being counted at start-up the window waits
    // and opens (in the order asked) once the count has arrived.
    void NewDocument(std::function<void(CMultiTesselDoc&)> then = {});
    // The number of devices the start-up search found; nothing while it still runs.
    std::optional<int> DevicesFoundAtStart() const { return devicesFound_; }
    CChildFrame* ActiveChild() const;

    void AddDevice(CMultiTesselDoc& document);
    int GetDeviceCount() const { return devices_.Count(); }
    CMultiTesselDoc* GetDevice(int index) const { return devices_.Get(index); }
    CMultiTesselDoc* GetCurrentDevice() const { return devices_.Current(); }
    int CurrentTab() const { return devices_.CurrentTab(); }
    void SelectTab(int index);
    void ActivateTab(int index);
    void CloseDevice(int index);
    void RebuildTabs();
    void RefreshTabs();
    void RenameDevice(int index, const QString& name);

    // ---- language ------------------------------------------------------------------------------
    QString GetLangString(int key) const;
    int GetCurrentLanguage() const { return language_.GetCurrentLanguage(); }
    QString GetLanguageFileName(int index) const;
    void ApplyLanguage(int index);
    // The user's choice of language: applied and written to config.ini at once.
    void ChooseLanguage(int index);
    void RedrawMenuBar();
    QMenuBar* GetActiveMenu() const;
    void LoadConfig();
    void SaveConfig();

    // ---- remote control ------------------------------------------------------------------------
    const RemoteService& Remote() const { return remote_; }
    // Serves as `settings` ask from now on and stores them in config.ini; the status bar tells
    // the outcome.
    void ApplyRemoteSettings(const RemoteSettings& settings);

    // ---- parts, for the program's tests --------------------------------------------------------
    QMdiArea& MdiArea() const { return *mdiArea_; }
    DeviceTabBar& TabBar() const { return *tabBar_; }
    QToolBar& TabToolBar() const { return *tabToolBar_; }
    QToolBar& MainToolBar() const { return *mainToolBar_; }
    QString PaneText(int pane) const;
    QMenu* LanguageMenu() const;
    QMenu& TabContextMenu() const { return *tabMenu_; }

  public slots:
    // One tick of the 200 ms timer.
    void TimerTick();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the frame open like File > Open, each in a new device window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // A dropped file: the program's CSV opens as File > Open CSV does, any other wave goes to
    // the import preview of the device window at `at` (frame coordinates).
    void OpenDroppedFile(const QString& path, QPoint at);

  private:
    class Chooser;
    // The command tables a command passes along: active view, its document, frame, application.
    using CommandChain = std::array<const CommandMap*, 4>;

    CommandChain Chain() const;
    static CommandUi StateAlong(const CommandChain& chain, int id);

    void CreateMainToolBar();
    void CreateTabToolBar();
    void CreateMenus();
    void CreateTabMenu();
    void RegisterCommands();
    void BuildLanguageMenu();
    void ApplyTooltips();
    void RefreshStatusBar();
    // Utility > Remote Control.
    void OpenRemoteDialog();
    // Utility > Sound card output: stores the chosen sound card in config.ini for the next start.
    void OpenSoundCardDialog();
    // The open windows' channels whose device shares its sample clock with other outputs.
    std::vector<ChannelState*> SynchronizableChannels() const;
    // Restarts the outputs on each of those clocks at one sample.
    void SynchronizeOutputs();
    // The size, place and bars of the last run; false when none is stored.
    bool RestorePlacement();
    void SavePlacement();
    void UpdateToolbarStates();
    void StartRename();
    std::vector<int> TakenDevices() const;
    // The start-up search's answer, on the GUI thread: the windows asked for meanwhile open.
    void DevicesFound(int count);
    CMultiTesselDoc& OpenDeviceWindow();

    Setup setup_;
    RememberedConfig remembered_;  // the last folders, the PDF path, the window's placement
    QtTranslations qtTranslations_;
    LanguageTable language_;
    DocumentContext documentContext_;  // what the documents read: the language and the folder
    DeviceList devices_;
    std::optional<int> devicesFound_;
    std::unique_ptr<DeviceSearch> search_;
    std::vector<std::function<void(CMultiTesselDoc&)>> waitingWindows_;
    CommandMap commands_;
    const CommandMap* appCommands_ = nullptr;
    std::map<int, QAction*> actions_;

    QMdiArea* mdiArea_ = nullptr;
    QStackedWidget* menuStack_ = nullptr;
    QMenuBar* menuNoDevice_ = nullptr;
    QMenuBar* menuWithDevice_ = nullptr;
    QMenu* languageMenuNoDevice_ = nullptr;
    QMenu* languageMenuWithDevice_ = nullptr;
    QMenu* tabMenu_ = nullptr;
    QToolBar* mainToolBar_ = nullptr;
    QToolBar* tabToolBar_ = nullptr;
    DeviceTabBar* tabBar_ = nullptr;
    std::unique_ptr<StatusPanes> statusPanes_;

    QTimer timer_;
    bool firstTickDone_ = false;
    int lastDeviceCount_ = -1;
    bool configSaved_ = false;
    // Last, so it stops serving before anything else of the frame goes.
    RemoteService remote_;
};

}  // namespace korvane
