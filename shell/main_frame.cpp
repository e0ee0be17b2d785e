#include "shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "document/command_ids.h"
#include "document/csv_commands.h"
#include "document/device_view.h"
#include "document/message_box.h"
#include "document/multi_tessel_doc.h"
#include "engine/device_library/device_library.h"
#include "engine/device_search.h"
#include "formats/csv_file.h"
#include "shell/app_config.h"
#include "shell/child_frame.h"
#include "shell/images.h"
#include "shell/menu_ex.h"
#include "shell/menu_layout.h"
#include "shell/splash_wnd.h"
#include "shell/status_panes.h"
#include "shell/window_menu.h"
#include "view/arbitrary_commands.h"

namespace korvane {

namespace {

constexpr int kWindowMenuPosition = 6;

}  // namespace

CMainFrame::CMainFrame(Setup setup) : setup_(std::move(setup)), remembered_(setup_.paths) {
    documentContext_.language = &language_;
    documentContext_.remembered = &remembered_;
    documentContext_.programDirectory = setup_.paths.ProgramDirectory();
    CMultiTesselDoc::SetContext(&documentContext_);
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
    statusPanes_ = std::make_unique<StatusPanes>(*statusBar());
    CreateMainToolBar();
    CreateTabToolBar();
    RebuildTabs();
    CreateMenus();
    CreateTabMenu();

    RemoveStaleConfigTemporaries(setup_.paths);
    LoadConfig();
    language_.ScanLanguageFiles(setup_.paths.ProgramDirectory().toStdString(),
                                setup_.tempFolder.toStdString());
    if (!language_.ScanCompleted()) {
        ShowMessageBox(this, QString::fromUtf8(FileSearch::kTooManySubfoldersMessage));
    }
    language_.SelectLanguage(language_.GetCurrentLanguage());

    // A slow driver may take seconds to count its devices: the frame shows meanwhile, and the
    // device windows open when the count arrives.
    if (setup_.library != nullptr) {
        search_ = std::make_unique<DeviceSearch>(*setup_.library, [this](int count) {
            QMetaObject::invokeMethod(
                this, [this, count] { DevicesFound(count); }, Qt::QueuedConnection);
        });
    } else {
        devicesFound_ = 0;
    }

    connect(&timer_, &QTimer::timeout, this, &CMainFrame::TimerTick);
    timer_.start(kTimerMilliseconds);
    CSplashWnd::ShowSplash(this, setup_.paths.PicturePath());
}

CMainFrame::~CMainFrame() {
    search_.reset();  // no count arrives after this; a driver still counting is not waited for
    SaveConfig();
    timer_.stop();
    // Device windows leave the list while the frame is still whole.
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    for (QMdiSubWindow* window : windows) {
        delete window;
    }
    CSplashWnd::HideSplash();
    if (CMultiTesselDoc::Context() == &documentContext_) {
        CMultiTesselDoc::SetContext(nullptr);
    }
}

// ---- set-up ----------------------------------------------------------------------------------

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
                [this, windowMenu] { FillWindowMenu(*windowMenu, *mdiArea_); });
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

// ---- timer and status bar ----------------------------------------------------------------------

void CMainFrame::TimerTick() {
    RefreshStatusBar();
    if (!firstTickDone_) {
        firstTickDone_ = true;
        BuildLanguageMenu();
        ApplyLanguage(language_.GetCurrentLanguage());
        if (RestorePlacement()) {
            show();
        } else {
            showNormal();
            if (const QScreen* screen = this->screen()) {
                move(screen->availableGeometry().center() - frameGeometry().center() + pos());
            }
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
    statusPanes_->Refresh(document != nullptr ? document->m_pState.get() : nullptr,
                          !devicesFound_.has_value(), language_);
    statusPanes_->ShowRemote(RemoteStatusText(remote_, language_));
}

QString CMainFrame::PaneText(int pane) const {
    return statusPanes_->Text(pane);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); })) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            OpenDroppedFile(url.toLocalFile(), event->position().toPoint());
        }
    }
    event->acceptProposedAction();
}

void CMainFrame::OpenDroppedFile(const QString& path, QPoint at) {
    // The program's own CSV files open in a window of their own, as File > Open CSV reads them.
    if (IsProgramCsvFile(std::filesystem::path(path.toStdU16String()))) {
        NewDocument([path](CMultiTesselDoc& document) { ImportCsv(document, path); });
        return;
    }
    // Any other wave goes through the import preview of the device window it was dropped on,
    // else the active one, else a new one. The preview opens once the drop has ended, so the
    // program the file came from is not held while the user decides.
    const QPoint inArea = mdiArea_->viewport()->mapFrom(this, at);
    QMdiSubWindow* under = nullptr;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::StackingOrder)) {
        if (window->isVisible() && window->geometry().contains(inArea)) {
            under = window;  // the topmost one wins: the list runs from bottom to top
        }
    }
    const auto previewLater = [path](CMultiTesselDoc& document) {
        // The document outlives its view, so the view can carry the call.
        QTimer::singleShot(0, document.View(),
                           [&document, path] { ImportWaveWithPreview(document, path); });
    };
    if (auto* target = under != nullptr ? qobject_cast<CChildFrame*>(under) : ActiveChild()) {
        previewLater(target->Document());
    } else {
        NewDocument(previewLater);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    SavePlacement();
    // The program ends: no window opens for a count that arrives now.
    search_.reset();
    waitingWindows_.clear();
    QMainWindow::closeEvent(event);
}

}  // namespace korvane
