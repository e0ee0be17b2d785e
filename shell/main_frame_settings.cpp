// The frame's settings in config.ini: the language, the remote control and the window's size,
// place and bars.

#include "shell/main_frame.h"

#include <QByteArray>

#include "platform/ini_file.h"
#include "shell/app_config.h"
#include "shell/remote_dialog.h"
#include "shell/status_panes.h"

namespace korvane {

namespace {

constexpr char kGeometryKey[] = "WindowGeometry";
constexpr char kStateKey[] = "WindowState";

}  // namespace

void CMainFrame::LoadConfig() {
    LoadAppConfig(setup_.paths, language_, remote_);
}

void CMainFrame::SaveConfig() {
    if (configSaved_) {
        return;
    }
    configSaved_ = true;
    SaveAppConfig(setup_.paths, language_);
}

void CMainFrame::ChooseLanguage(int index) {
    ApplyLanguage(index);
    SaveAppConfig(setup_.paths, language_);
}

void CMainFrame::OpenRemoteDialog() {
    RemoteDialog dialog(remote_.Settings(), this);
    if (dialog.exec() == QDialog::Accepted) {
        ApplyRemoteSettings(dialog.Settings());
    }
}

void CMainFrame::ApplyRemoteSettings(const RemoteSettings& settings) {
    const IniFile config(
        setup_.paths.WritePath(QString::fromLatin1(kConfigFileName)).toStdString());
    if (const int error = WriteRemoteSettings(config, settings); error != 0) {
        qWarning("config.ini: cannot store the remote control's settings (error %d)", error);
    }
    remote_.Configure(settings);
    statusPanes_->ShowRemote(RemoteStatusText(remote_, language_));
}

bool CMainFrame::RestorePlacement() {
    const QByteArray geometry =
        QByteArray::fromBase64(remembered_.Value(QString::fromLatin1(kGeometryKey)).toLatin1());
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        return false;
    }
    restoreState(
        QByteArray::fromBase64(remembered_.Value(QString::fromLatin1(kStateKey)).toLatin1()));
    return true;
}

void CMainFrame::SavePlacement() {
    remembered_.SetValue(QString::fromLatin1(kGeometryKey),
                         QString::fromLatin1(saveGeometry().toBase64()));
    remembered_.SetValue(QString::fromLatin1(kStateKey),
                         QString::fromLatin1(saveState().toBase64()));
}

}  // namespace korvane
