// The device tabs: one tab per device window above the device area, its context menu (close,
// rename, save), selecting, closing and renaming a device by its tab.

#include "shell/main_frame.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolBar>

#include "document/command_ids.h"
#include "document/csv_commands.h"
#include "document/multi_tessel_doc.h"
#include "shell/command_action_id.h"
#include "shell/device_tab_bar.h"
#include "shell/menu_ex.h"
#include "shell/status_text.h"
#include "shell/window_menu.h"

namespace korvane {

namespace {

// The context menu's items carry the language key of their text; the menu is retitled in the
// current language each time it opens.
constexpr const char* kTextKeyProperty = "korvaneTextKey";
constexpr int kRenameTextKey = 2077;
constexpr int kSaveTextKey = 2088;
constexpr int kSaveAsTextKey = 2089;

}  // namespace

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

void CMainFrame::CreateTabMenu() {
    tabMenu_ = new QMenu(this);
    (new CMenuEx(this))->Attach(*tabMenu_);
    QAction* close = tabMenu_->addAction(QStringLiteral("Close"));
    close->setProperty(kTextKeyProperty, kCloseTextKey);
    connect(close, &QAction::triggered, this, [this] { CloseDevice(tabBar_->currentIndex()); });
    QAction* rename = tabMenu_->addAction(QStringLiteral("Change Device Name"));
    rename->setProperty(kTextKeyProperty, kRenameTextKey);
    connect(rename, &QAction::triggered, this, &CMainFrame::StartRename);
    tabMenu_->addSeparator();
    const struct {
        const char* text;
        int textKey;
        int command;
        bool newName;
    } saves[] = {{"Save CSV File...", kSaveTextKey, kCmdFileSave, false},
                 {"Save CSV File As...", kSaveAsTextKey, kCmdFileSaveAs, true}};
    for (const auto& save : saves) {
        QAction* item = tabMenu_->addAction(QString::fromLatin1(save.text));
        item->setProperty(kTextKeyProperty, save.textKey);
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
            const int textKey = item->property(kTextKeyProperty).toInt();
            if (const QString text = textKey != 0 ? GetLangString(textKey) : QString();
                !text.isEmpty()) {
                item->setText(text);
            }
            if (const int command = CommandIdOf(*item); command != 0) {
                item->setEnabled(document != nullptr && document->Commands().HasAction(command));
            }
        }
    });
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
        ScrollIntoView(*mdiArea_, mdiArea_->activeSubWindow());
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
    QStringList toolTips;
    for (const CMultiTesselDoc* document : devices_.Documents()) {
        names << document->m_strDeviceName;
        toolTips << QString::fromStdString(DescribeDevice(document->m_pState.get(), language_));
    }
    devices_.Renumber();
    if (devices_.CurrentTab() >= devices_.Count()) {
        devices_.SelectTab(devices_.Count() - 1);
    }
    tabBar_->SetTabs(names, toolTips, devices_.CurrentTab());
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

}  // namespace korvane
