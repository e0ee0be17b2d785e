// The program's language: its texts, the Language menu, and applying a language to the menus,
// the toolbar's tips, the device windows and their names.

#include "shell/main_frame.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>

#include "document/command_ids.h"
#include "document/device_view.h"
#include "document/multi_tessel_doc.h"
#include "document/qt_translatable.h"
#include "shell/menu_layout.h"

namespace korvane {

namespace {

// The language file's locale ("de", "zh_CN"), which names Qt's translation of its own dialogs.
constexpr int kQtLocaleKey = 8889;

}  // namespace

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
    QAction* closeDevice = CommandAction(kCmdCloseSelectedDevice);
    const QString close = GetLangString(kCloseTextKey);
    closeDevice->setText(close.isEmpty() ? QString::fromUtf8(CommandText(kCmdCloseSelectedDevice))
                                         : close);
    closeDevice->setToolTip(closeDevice->text());
}

void CMainFrame::ApplyLanguage(int index) {
    language_.SelectLanguage(index);
    qtTranslations_.Use(GetLangString(kQtLocaleKey));
    RedrawMenuBar();
    ApplyTooltips();
    for (CMultiTesselDoc* document : devices_.Documents()) {
        if (DeviceView* view = document->View()) {
            view->Translate();  // the view and its open dialogs
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

}  // namespace korvane
