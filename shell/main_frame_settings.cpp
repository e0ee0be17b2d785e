// The frame's settings in config.ini: the language, the remote control, the sound card and the
// window's size, place and bars; and the synchronisation of outputs sharing a sample clock.

#include "shell/main_frame.h"

#include <QByteArray>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "engine/device_library/device_library.h"
#include "engine/device_library/library_factory.h"
#include "engine/device_library/sound_card_alsa_output.h"
#include "platform/ini_file.h"
#include "shell/app_config.h"
#include "shell/remote_dialog.h"
#include "shell/sound_card_config.h"
#include "shell/sound_card_dialog.h"
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

void CMainFrame::OpenSoundCardDialog() {
    SoundCardDialog dialog(ListAudioPcms(), ConfiguredSoundCard(setup_.paths),
                           AudioEnvironmentOverrides(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const IniFile config(
        setup_.paths.WritePath(QString::fromLatin1(kConfigFileName)).toStdString());
    if (const int error = WriteSoundCardSettings(config, dialog.Settings()); error != 0) {
        qWarning("config.ini: cannot store the sound card's settings (error %d)", error);
    }
}

std::vector<ChannelState*> CMainFrame::SynchronizableChannels() const {
    std::vector<ChannelState*> channels;
    for (const CMultiTesselDoc* document : devices_.Documents()) {
        ChannelState* channel = document->m_pState.get();
        if (channel != nullptr && channel->demo == 0 &&
            channel->Library().OutputsOnClock(channel->deviceIndex.load()) > 1) {
            channels.push_back(channel);
        }
    }
    return channels;
}

void CMainFrame::SynchronizeOutputs() {
    for (ChannelState* channel : SynchronizableChannels()) {
        channel->RequestSynchronize();
    }
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
