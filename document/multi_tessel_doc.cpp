#include "document/multi_tessel_doc.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <cmath>
#include <limits>

#include "document/command_ids.h"
#include "document/csv_commands.h"
#include "document/device_view.h"
#include "document/document_context.h"
#include "document/help_file.h"
#include "document/message_box.h"
#include "document/qt_translatable.h"
#include "engine/channel_state.h"
#include "formats/default_panel.h"
#include "i18n/language_table.h"

namespace korvane {

namespace {

const DocumentContext* g_context = nullptr;

QMdiSubWindow* SubWindowOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            return sub;
        }
    }
    return nullptr;
}

}  // namespace

CMultiTesselDoc::CMultiTesselDoc(QObject* parent) : QObject(parent) {
    RegisterCommands();
}

CMultiTesselDoc::~CMultiTesselDoc() = default;

void CMultiTesselDoc::SetContext(const DocumentContext* context) {
    g_context = context;
}

const DocumentContext* CMultiTesselDoc::Context() {
    return g_context;
}

void CMultiTesselDoc::CreateState(DeviceLibrary& library) {
    m_pState = std::make_shared<ChannelState>(library);
}

void CMultiTesselDoc::SetDeviceName(const QString& name) {
    m_strDeviceName = name;
    emit TitleChanged(name);
}

int CMultiTesselDoc::LoadSettings(const QString& path) {
    if (!m_pState || g_context == nullptr || g_context->language == nullptr) {
        return 0;
    }
    const PanelLoad load = LoadPanel(*m_pState, path.toStdString(), *g_context->language);
    pointsRestored_ = load.pointsRestored;
    if (!load.result.message.empty()) {
        ShowMessageBox(view_, QString::fromStdString(load.result.message));
    }
    return load.result.ok ? 1 : 0;
}

int CMultiTesselDoc::SaveSettings(const QString& path) {
    if (!m_pState) {
        return 0;
    }
    const FileResult result = SavePanel(*m_pState, path.toStdString());
    if (!result.message.empty()) {
        ShowMessageBox(view_, QString::fromStdString(result.message));
    }
    return result.ok ? 1 : 0;
}

int CMultiTesselDoc::TranslateWindow(QWidget& window) {
    if (g_context != nullptr && g_context->language != nullptr) {
        WidgetTranslatable translatable(window);
        g_context->language->TranslateDialog(translatable);
    }
    return 1;
}

QString& CMultiTesselDoc::GetLanguageText(QString& text, int key) {
    text = GetLanguageText(key);
    return text;
}

QString CMultiTesselDoc::GetLanguageText(int key) {
    return g_context != nullptr && g_context->language != nullptr
               ? QString::fromStdString(g_context->language->GetLangString(key))
               : QString();
}

void CMultiTesselDoc::ActivateFrame() {
    QMdiSubWindow* sub = SubWindowOf(view_);
    if (sub == nullptr) {
        return;
    }
    if (QMdiArea* area = sub->mdiArea()) {
        area->setActiveSubWindow(sub);
    }
    sub->raise();
}

void CMultiTesselDoc::OnCloseDocument() {
    if (leftDeviceList_) {
        return;
    }
    leftDeviceList_ = true;
    emit LeftDeviceList(m_nIndex);
}

void CMultiTesselDoc::CloseWindow() {
    if (QMdiSubWindow* sub = SubWindowOf(view_)) {
        sub->close();
    } else {
        OnCloseDocument();
    }
}

void CMultiTesselDoc::SetPowerOnOutput(int value) {
    if (m_pState) {
        m_pState->SetPowerOnOutput(1, value);  // a demo channel ignores it
        m_pState->RequestDownload();
    }
}

void CMultiTesselDoc::RegisterCommands() {
    const auto waveIs = [this](int type) {
        return [this, type](CommandUi& ui) { ui.enabled = m_pState && m_pState->waveType == type; };
    };
    commands_.OnCommand(kCmdFileOpen, [this] { OnFileOpen(*this); });
    commands_.OnCommand(kCmdFileSave, [this] { OnFileSave(*this); });
    commands_.OnCommand(kCmdFileSaveAs, [this] { OnFileSaveAs(*this); });
    commands_.OnUpdate(kCmdSweep, waveIs(Sine));

    const auto dioIs = [this](int mode) {
        return [this, mode](CommandUi& ui) { ui.checked = m_pState && m_pState->dioMode == mode; };
    };
    for (const int mode : {0, 1}) {
        const int command = mode == 0 ? kCmdPatternGenerator : kCmdProgrammableOutput;
        commands_.OnCommand(command, [this, mode] {
            if (m_pState) {
                m_pState->SetDioMode(mode);
            }
        });
        commands_.OnUpdate(command, dioIs(mode));
    }
    commands_.OnUpdate(kCmdOutputSet,
                       [this](CommandUi& ui) { ui.enabled = m_pState && m_pState->dioMode == 1; });

    for (const int value : {1, 0}) {
        const int command = value == 1 ? kCmdPowerOnOutputOpen : kCmdPowerOnOutputClose;
        commands_.OnCommand(command, [this, value] { SetPowerOnOutput(value); });
        commands_.OnUpdate(command, [this, value](CommandUi& ui) {
            ui.checked = m_pState && m_pState->powerOnOutput == value;
        });
    }

    commands_.OnCommand(kCmdHelpContent, [] { OpenHelpFile(); });
    commands_.OnCommand(kCmdFileClose, [this] { CloseWindow(); });
}

int PointColumn(const ChannelState& state, int index, int width) {
    const double points = state.pointCount;
    const double arbPoints = state.arbPointCount;
    const double scrollRange = state.arbScrollRange;
    if (arbPoints <= 0.0 || scrollRange <= 0.0) {
        return 0;
    }
    const double column =
        ((points * index / arbPoints) - (points - scrollRange) * state.arbViewPosition) /
        scrollRange * width;
    if (!std::isfinite(column)) {
        return 0;
    }
    constexpr double kLimit = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(column, -kLimit, kLimit)));
}

QString ChooseHelpFile(const QString& programDir, const QString& languageFileName) {
    const QString folder = programDir + QStringLiteral("/language/");
    QStringList candidates;
    if (!languageFileName.isEmpty()) {
        QString base = languageFileName;
        base.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (base.endsWith(QStringLiteral(".lug"), Qt::CaseInsensitive)) {
            base.chop(4);
        }
        candidates << folder + base + QStringLiteral(".chm")
                   << folder + base + QStringLiteral(".html");
    }
    candidates << folder + QStringLiteral("English.chm") << folder + QStringLiteral("English.html");
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return candidates.back();
}

}  // namespace korvane
