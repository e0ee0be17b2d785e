#include "shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <ctime>

#include "document/command_ids.h"
#include "document/csv_commands.h"
#include "document/device_list_dialog.h"
#include "document/device_view.h"
#include "document/message_box.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_claim.h"
#include "engine/device_library/device_library.h"
#include "shell/child_frame.h"
#include "shell/device_tab_bar.h"
#include "shell/images.h"
#include "shell/language/ini_file.h"
#include "shell/language/language_config.h"
#include "shell/language/replace_file.h"
#include "shell/menu_ex.h"
#include "shell/menu_layout.h"
#include "shell/qt_translatable.h"
#include "shell/splash_wnd.h"
#include "shell/window_arrangement.h"

namespace korvane {

namespace {

constexpr int kNoHardwareMessage = 2012;
constexpr char kCommandIdProperty[] = "korvaneCommandId";
constexpr int kWindowMenuPosition = 6;
constexpr char kConfigFileName[] = "config.ini";
constexpr char kDefaultSettingsFileName[] = "Default.set";

int CommandIdOf(const QAction& action) {
    return action.property(kCommandIdProperty).toInt();
}

// Every command's state is refreshed five times a second; an action is touched only when its
// state changes.
void ShowCommandUi(QAction& action, CommandUi ui) {
    if (action.isEnabled() != ui.enabled) {
        action.setEnabled(ui.enabled);
    }
    if (action.isCheckable() && action.isChecked() != ui.checked) {
        action.setChecked(ui.checked);
    }
}

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
        DeviceListDialog dialog(freeDevices, &frame_);
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

CMainFrame::CMainFrame(Setup setup) : setup_(std::move(setup)) {
    CMultiTesselDoc::SetHost(this);
    setWindowTitle(QStringLiteral("KorvaneAWG"));
    setWindowIcon(ProgramIcon());
    resize(kWidth, kHeight);
    setMinimumSize(300, 200);
    setAcceptDrops(true);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setBackground(palette().dark());
    // Arranged device windows may need more room than the area has.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (auto* child = qobject_cast<CChildFrame*>(window)) {
            SelectTab(child->Document().m_nIndex);
        }
        UpdateToolbarStates();
    });

    RegisterCommands();
    CreateStatusBar();
    CreateMainToolBar();
    CreateTabToolBar();
    RebuildTabs();
    CreateMenus();
    CreateTabMenu();

    // A write cut short by a kill leaves its temporary file beside the target for ever.
    for (const char* name : {kConfigFileName, kDefaultSettingsFileName}) {
        RemoveStaleTemporaries(setup_.paths.WritePath(QString::fromLatin1(name)).toStdString());
    }
    LoadConfig();
    language_.ScanLanguageFiles(setup_.paths.ProgramDirectory().toStdString(),
                                setup_.tempFolder.toStdString());
    if (!language_.ScanCompleted()) {
        ShowMessageBox(this, QString::fromUtf8(FileSearch::kTooManySubfoldersMessage));
    }
    language_.SelectLanguage(language_.GetCurrentLanguage());

    devicesFound_ = setup_.library != nullptr ? setup_.library->DDSSearch() : 0;

    connect(&timer_, &QTimer::timeout, this, &CMainFrame::TimerTick);
    timer_.start(kTimerMilliseconds);
    CSplashWnd::ShowSplash(this, setup_.paths.PicturePath());
}

CMainFrame::~CMainFrame() {
    SaveConfig();
    timer_.stop();
    // Device windows leave the list while the frame is still whole.
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    for (QMdiSubWindow* window : windows) {
        delete window;
    }
    CSplashWnd::HideSplash();
    if (CMultiTesselDoc::Host() == this) {
        CMultiTesselDoc::SetHost(nullptr);
    }
}

// ---- set-up ----------------------------------------------------------------------------------

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // The connection and detail panes share what the clock leaves, half each.
    for (int i = 0; i < 3; ++i) {
        panes_[i] = new QLabel(bar);
        panes_[i]->setContentsMargins(4, 0, 4, 0);
    }
    for (int i = 0; i < 2; ++i) {
        panes_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        bar->addWidget(panes_[i], 1);
    }
    bar->addPermanentWidget(panes_[2]);
}

void CMainFrame::CreateMainToolBar() {
    mainToolBar_ = new QToolBar(this);
    mainToolBar_->setObjectName(QStringLiteral("mainToolBar"));
    mainToolBar_->setMovable(false);
    mainToolBar_->setIconSize(QSize(20, 20));
    for (const int id : MainToolbarLayout()) {
        if (id == 0) {
            mainToolBar_->addSeparator();
        } else {
            mainToolBar_->addAction(CommandAction(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, mainToolBar_);
}

void CMainFrame::CreateTabToolBar() {
    addToolBarBreak(Qt::TopToolBarArea);
    tabToolBar_ = new QToolBar(this);
    tabToolBar_->setObjectName(QStringLiteral("tabToolBar"));
    tabToolBar_->setMovable(false);
    tabToolBar_->setIconSize(QSize(16, 16));
    tabBar_ = new DeviceTabBar(tabToolBar_);
    tabBar_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tabToolBar_->addWidget(tabBar_);
    tabToolBar_->addAction(CommandAction(kCmdCloseSelectedDevice));
    addToolBar(Qt::TopToolBarArea, tabToolBar_);

    connect(tabBar_, &DeviceTabBar::TabActivated, this, &CMainFrame::ActivateTab);
    // A click on the tab already selected changes no tab, yet brings its window back into view.
    connect(tabBar_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == tabBar_->currentIndex()) {
            ActivateTab(index);
        }
    });
    connect(tabBar_, &DeviceTabBar::RenameRequested, this, &CMainFrame::StartRename);
    connect(tabBar_, &DeviceTabBar::RenameCommitted, this, &CMainFrame::RenameDevice);
    connect(tabBar_, &DeviceTabBar::ContextMenuRequested, this,
            [this](const QPoint& pos) { tabMenu_->exec(pos); });
}

void CMainFrame::CreateMenus() {
    const auto action = [this](int id) { return CommandAction(id); };
    menuNoDevice_ = BuildMenuBar(action, languageMenuNoDevice_);
    menuWithDevice_ = BuildMenuBar(action, languageMenuWithDevice_);
    menuStack_ = new QStackedWidget;
    auto* menuStyle = new CMenuEx(this);
    menuStyle->UseProgramImages();
    for (QMenuBar* bar : {menuNoDevice_, menuWithDevice_}) {
        menuStyle->Attach(*bar);
        menuStack_->addWidget(bar);
        for (QMenu* menu : bar->findChildren<QMenu*>()) {
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuItems(*menu); });
        }
        QMenu* windowMenu = bar->actions().value(kWindowMenuPosition)->menu();
        connect(windowMenu, &QMenu::aboutToShow, this,
                [this, windowMenu] { FillWindowMenu(*windowMenu); });
    }
    menuStack_->setCurrentWidget(GetActiveMenu());
    // A stacked menu widget (not a bare menu bar) also keeps a maximised device window from
    // moving its window buttons into the menu bar.
    setMenuWidget(menuStack_);
    // Accelerators work whichever menu bar shows.
    for (const auto& [id, commandAction] : actions_) {
        addAction(commandAction);
    }
    for (const int id : {kCmdEditUndo, kCmdEditCut, kCmdEditPaste, kCmdNextPane, kCmdPrevPane}) {
        addAction(CommandAction(id));
    }
}

void CMainFrame::CreateTabMenu() {
    tabMenu_ = new QMenu(this);
    (new CMenuEx(this))->Attach(*tabMenu_);
    QAction* close = tabMenu_->addAction(QStringLiteral("Close"));
    connect(close, &QAction::triggered, this, [this] { CloseDevice(tabBar_->currentIndex()); });
    QAction* rename = tabMenu_->addAction(QStringLiteral("Change Device Name"));
    connect(rename, &QAction::triggered, this, &CMainFrame::StartRename);
    tabMenu_->addSeparator();
    const struct {
        const char* text;
        int command;
        bool newName;
    } saves[] = {{"Save CSV File...", kCmdFileSave, false},
                 {"Save CSV File As...", kCmdFileSaveAs, true}};
    for (const auto& save : saves) {
        QAction* item = tabMenu_->addAction(QString::fromLatin1(save.text));
        item->setProperty(kCommandIdProperty, save.command);
        const bool newName = save.newName;
        connect(item, &QAction::triggered, this, [this, newName] {
            if (CMultiTesselDoc* document = GetDevice(tabBar_->currentIndex())) {
                SaveCsv(*document, newName);
            }
        });
    }
    connect(tabMenu_, &QMenu::aboutToShow, this, [this] {
        const CMultiTesselDoc* document = GetDevice(tabBar_->currentIndex());
        for (QAction* item : tabMenu_->actions()) {
            if (const int command = CommandIdOf(*item); command != 0) {
                item->setEnabled(document != nullptr && document->Commands().HasAction(command));
            }
        }
    });
}

void CMainFrame::RegisterCommands() {
    commands_.OnCommand(kCmdPointsEdit, [this] { RebuildTabs(); });
    commands_.OnCommandRange(kCmdFirstLanguage, kCmdLastLanguageCommand,
                             [this](int id) { ApplyLanguage(id - kCmdFirstLanguage); });
    commands_.OnUpdateRange(kCmdFirstLanguage, kCmdLastLanguageUpdate,
                            [this](int id, CommandUi& ui) {
                                ui.checked = GetCurrentLanguage() == id - kCmdFirstLanguage;
                            });
    commands_.OnCommand(kCmdLanguageDefault,
                        [this] { ApplyLanguage(LanguageTable::kBuiltInLanguage); });
    commands_.OnUpdate(kCmdLanguageDefault, [this](CommandUi& ui) {
        ui.checked = GetCurrentLanguage() == LanguageTable::kBuiltInLanguage;
    });
    commands_.OnCommand(kCmdWindowCascade, [this] { ArrangeDeviceWindows(false); });
    commands_.OnCommand(kCmdWindowTile, [this] { ArrangeDeviceWindows(true); });
    commands_.OnCommand(kCmdAppExit, [this] { close(); });
}

// ---- commands ----------------------------------------------------------------------------------

QAction* CMainFrame::CommandAction(int id) {
    if (const auto it = actions_.find(id); it != actions_.end()) {
        return it->second;
    }
    auto* action = new QAction(QString::fromUtf8(CommandText(id)), this);
    action->setProperty(kCommandIdProperty, id);
    action->setCheckable(IsCheckableCommand(id));
    action->setShortcuts(CommandShortcuts(id));
    action->setIcon(CommandIcon(id));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_.emplace(id, action);
    return action;
}

CChildFrame* CMainFrame::ActiveChild() const {
    return qobject_cast<CChildFrame*>(mdiArea_->currentSubWindow());
}

CMainFrame::CommandChain CMainFrame::Chain() const {
    const CChildFrame* child = ActiveChild();
    const CommandMap* view =
        child != nullptr && child->View() != nullptr ? &child->View()->Commands() : nullptr;
    const CommandMap* document = child != nullptr ? &child->Document().Commands() : nullptr;
    return {view, document, &commands_, appCommands_};
}

CommandUi CMainFrame::CommandState(int id) const {
    return StateAlong(Chain(), id);
}

CommandUi CMainFrame::StateAlong(const CommandChain& chain, int id) {
    return RouteUpdate({chain[0], chain[1], chain[2], chain[3]}, id);
}

void CMainFrame::OnCommand(int id) {
    const CommandChain chain = Chain();
    if (!StateAlong(chain, id).enabled) {
        return;
    }
    RouteCommand({chain[0], chain[1], chain[2], chain[3]}, id);
    UpdateToolbarStates();
}

void CMainFrame::UpdateMenuItems(QMenu& menu) {
    const CommandChain chain = Chain();
    for (QAction* action : menu.actions()) {
        if (const int id = CommandIdOf(*action); id != 0) {
            ShowCommandUi(*action, StateAlong(chain, id));
        }
    }
}

void CMainFrame::UpdateToolbarStates() {
    const CommandChain chain = Chain();
    for (const auto& [id, action] : actions_) {
        ShowCommandUi(*action, StateAlong(chain, id));
    }
}

void CMainFrame::FillWindowMenu(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (action->property("windowEntry").toBool()) {
            menu.removeAction(action);
            delete action;
        }
    }
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    QAction* separator = menu.addSeparator();
    separator->setProperty("windowEntry", true);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QAction* entry = menu.addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle()), [this, window] {
                mdiArea_->setActiveSubWindow(window);
                ScrollIntoView(window);
            });
        entry->setProperty("windowEntry", true);
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->currentSubWindow());
    }
}

// Device windows leave the maximised state for Cascade and Tile, each at a size where its form
// shows a display and a panel that scrolls; where the area is too small for that, the area
// scrolls instead. Activating a window from its title bar's button maximises it again.
void CMainFrame::ArrangeDeviceWindows(bool tile) {
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    for (QMdiSubWindow* window : windows) {
        window->showNormal();
    }
    QMdiSubWindow& first = *windows.front();
    const QSize frame = first.size() - first.widget()->size();
    const QSize minimum = first.widget()->minimumSizeHint() + frame;
    const QRect area = mdiArea_->viewport()->rect();
    const std::vector<QRect> places =
        tile ? TileWindows(int(windows.size()), area, minimum,
                           mdiArea_->style()->pixelMetric(QStyle::PM_ScrollBarExtent))
             : CascadeWindows(int(windows.size()), area, first.widget()->sizeHint() + frame,
                              minimum, frame.height());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(places[std::size_t(i)]);
    }
    if (QMdiSubWindow* active = mdiArea_->activeSubWindow()) {
        active->raise();
    }
}

// Only a window chosen by name (menu, tab) scrolls into view: one clicked on stays where it is,
// so the control under the mouse does not move away.
void CMainFrame::ScrollIntoView(QMdiSubWindow* window) {
    if (window == nullptr) {
        return;
    }
    const QPoint shift = ScrollToShow(window->geometry(), mdiArea_->viewport()->rect());
    QScrollBar* horizontal = mdiArea_->horizontalScrollBar();
    QScrollBar* vertical = mdiArea_->verticalScrollBar();
    horizontal->setValue(horizontal->value() + shift.x());
    vertical->setValue(vertical->value() + shift.y());
}

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

CMultiTesselDoc* CMainFrame::NewDocument() {
    if (setup_.library == nullptr) {
        return nullptr;
    }
    auto* child = new CChildFrame(std::make_unique<CMultiTesselDoc>());
    CMultiTesselDoc& document = child->Document();
    child->SetView(setup_.viewFactory(document, child));
    child->SetSettingsPath(DefaultSettingsPath());
    connect(child, &CChildFrame::FirstViewTick, this, &CMainFrame::RedrawMenuBar);

    document.CreateState(*setup_.library);
    Chooser chooser(*this);
    SelectDevice(*document.m_pState, devicesFound_, TakenDevices(), chooser);
    if (document.m_pState->demo == 0) {
        document.LoadSettings(setup_.paths.ReadPath(QString::fromLatin1(kDefaultSettingsFileName)));
    }
    AddDevice(document);
    child->StartViewTimer();
    child->View()->InitialUpdate();
    TranslateWindow(*child->View());
    child->StartWorker();

    mdiArea_->addSubWindow(child);
    child->showMaximized();
    mdiArea_->setActiveSubWindow(child);
    return &document;
}

void CMainFrame::AddDevice(CMultiTesselDoc& document) {
    devices_.Add(document);
    RebuildTabs();
}

void CMainFrame::RemoveDevice(int index) {
    devices_.Remove(index);
    RebuildTabs();
}

void CMainFrame::SelectTab(int index) {
    const int selected = devices_.SelectTab(index);
    const QSignalBlocker blocker(tabBar_);
    tabBar_->setCurrentIndex(selected);
}

void CMainFrame::ActivateTab(int index) {
    SelectTab(index);
    if (CMultiTesselDoc* document = devices_.Current()) {
        document->ActivateFrame();
        ScrollIntoView(mdiArea_->activeSubWindow());
    }
}

void CMainFrame::CloseDevice(int index) {
    if (CMultiTesselDoc* document = devices_.Get(index)) {
        document->CloseWindow();
    }
}

void CMainFrame::CloseSelectedDevice() {
    CloseDevice(tabBar_->currentIndex());
}

void CMainFrame::RebuildTabs() {
    remote_.ServeDocuments(devices_.Documents());
    if (devices_.Count() == 0) {
        tabToolBar_->hide();
        return;
    }
    tabToolBar_->show();
    QStringList names;
    for (const CMultiTesselDoc* document : devices_.Documents()) {
        names << document->m_strDeviceName;
    }
    devices_.Renumber();
    if (devices_.CurrentTab() >= devices_.Count()) {
        devices_.SelectTab(devices_.Count() - 1);
    }
    tabBar_->SetTabs(names, devices_.CurrentTab());
    RedrawMenuBar();
}

void CMainFrame::RefreshTabs() {
    RebuildTabs();
    update();
}

void CMainFrame::RenameDevice(int index, const QString& name) {
    if (devices_.Rename(index, name)) {
        RefreshTabs();
    }
}

void CMainFrame::StartRename() {
    CMultiTesselDoc* document = devices_.Get(tabBar_->currentIndex());
    if (document == nullptr) {
        return;
    }
    tabBar_->StartRename(document->GetTitle());
}

QString CMainFrame::DefaultSettingsPath() const {
    return setup_.paths.WritePath(QString::fromLatin1(kDefaultSettingsFileName));
}

// ---- language ----------------------------------------------------------------------------------

QString CMainFrame::GetLangString(int key) const {
    return QString::fromStdString(language_.GetLangString(key));
}

QString CMainFrame::GetLanguageFileName(int index) const {
    return QString::fromStdString(language_.GetLanguageFileName(index));
}

void CMainFrame::TranslateWindow(QWidget& window) const {
    WidgetTranslatable translatable(window);
    language_.TranslateDialog(translatable);
}

QMenuBar* CMainFrame::GetActiveMenu() const {
    return devices_.Count() == 0 ? menuNoDevice_ : menuWithDevice_;
}

QMenu* CMainFrame::LanguageMenu() const {
    return devices_.Count() == 0 ? languageMenuNoDevice_ : languageMenuWithDevice_;
}

void CMainFrame::RedrawMenuBar() {
    if (menuStack_ == nullptr) {
        return;  // the first rebuild of the tabs comes before the menus exist
    }
    QMenuBar* bar = GetActiveMenu();
    menuStack_->setCurrentWidget(bar);
    MenuTranslatable translatable(*bar);
    language_.TranslateMenu(translatable);
    bar->update();
    update();
}

void CMainFrame::ApplyTooltips() {
    for (const int id : MainToolbarLayout()) {
        if (id != 0) {
            CommandAction(id)->setToolTip(GetLangString(id));
        }
    }
}

void CMainFrame::ApplyLanguage(int index) {
    language_.SelectLanguage(index);
    RedrawMenuBar();
    ApplyTooltips();
    for (CMultiTesselDoc* document : devices_.Documents()) {
        if (document->View() != nullptr) {
            document->ApplyLanguage(index);
        }
    }
    devices_.RetranslateNames();
    RebuildTabs();
}

void CMainFrame::BuildLanguageMenu() {
    for (int i = 0; i < language_.GetLanguageCount(); ++i) {
        QAction* action = CommandAction(kCmdFirstLanguage + i);
        action->setText(QString::fromStdString(language_.GetLanguageName(i)));
        for (QMenu* menu : {languageMenuNoDevice_, languageMenuWithDevice_}) {
            menu->addAction(action);
        }
    }
}

void CMainFrame::LoadConfig() {
    const IniFile config(setup_.paths.ReadPath(QString::fromLatin1(kConfigFileName)).toStdString());
    language_.SetCurrentLanguage(ReadLanguageIndex(config));
    if (const QString error = remote_.Configure(config); !error.isEmpty()) {
        qWarning("remote control: %s", qPrintable(error));
    }
}

void CMainFrame::SaveConfig() {
    if (configSaved_) {
        return;
    }
    configSaved_ = true;
    const IniFile config(
        setup_.paths.WritePath(QString::fromLatin1(kConfigFileName)).toStdString());
    WriteLanguageIndex(config, language_.GetCurrentLanguage());
}

// ---- timer and status bar ----------------------------------------------------------------------

void CMainFrame::TimerTick() {
    RefreshStatusBar();
    if (!firstTickDone_) {
        firstTickDone_ = true;
        BuildLanguageMenu();
        ApplyLanguage(language_.GetCurrentLanguage());
        showNormal();
        if (const QScreen* screen = this->screen()) {
            move(screen->availableGeometry().center() - frameGeometry().center() + pos());
        }
    }
    if (devices_.Count() != lastDeviceCount_) {
        RedrawMenuBar();
    }
    lastDeviceCount_ = devices_.Count();
    UpdateToolbarStates();
}

void CMainFrame::RefreshStatusBar() {
    const CMultiTesselDoc* document = devices_.Current();
    const ConnectionStatus status = DescribeConnection(
        document != nullptr ? document->m_pState.get() : nullptr, dots_.Current(), language_);
    dots_.Advance();

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const QString dateTime = QString::fromStdString(DateTimeText(local));

    panes_[0]->setText(QString::fromStdString(status.state));
    panes_[1]->setText(QString::fromStdString(status.detail));
    // Measuring text is the costly part of a refresh, and the clock changes once a minute.
    QLabel& clock = *panes_[2];
    if (dateTime != clock.text() || clock.font() != clockFont_) {
        clockFont_ = clock.font();
        clock.setFixedWidth(clock.fontMetrics().horizontalAdvance(dateTime) + 10 +
                            clock.contentsMargins().left() + clock.contentsMargins().right());
        clock.setText(dateTime);
    }
}

QString CMainFrame::PaneText(int pane) const {
    return pane >= 0 && pane < 3 ? panes_[pane]->text() : QString();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); })) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) {
            continue;
        }
        if (CMultiTesselDoc* document = NewDocument()) {
            ImportCsv(*document, url.toLocalFile());
        }
    }
    event->acceptProposedAction();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

}  // namespace korvane
