// The frame's part of the command chain: its own commands, the one action of each command and
// the routing of a command along the active view, its document, the frame and the application.

#include "shell/main_frame.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>

#include "document/command_ids.h"
#include "document/device_view.h"
#include "document/multi_tessel_doc.h"
#include "shell/child_frame.h"
#include "shell/command_action_id.h"
#include "shell/images.h"
#include "shell/menu_layout.h"
#include "shell/window_menu.h"

namespace korvane {

namespace {

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

void CMainFrame::RegisterCommands() {
    commands_.OnCommand(kCmdPointsEdit, [this] { RebuildTabs(); });
    commands_.OnCommandRange(kCmdFirstLanguage, kCmdLastLanguageCommand,
                             [this](int id) { ChooseLanguage(id - kCmdFirstLanguage); });
    commands_.OnUpdateRange(kCmdFirstLanguage, kCmdLastLanguageUpdate,
                            [this](int id, CommandUi& ui) {
                                ui.checked = GetCurrentLanguage() == id - kCmdFirstLanguage;
                            });
    commands_.OnCommand(kCmdLanguageDefault,
                        [this] { ChooseLanguage(LanguageTable::kBuiltInLanguage); });
    commands_.OnUpdate(kCmdLanguageDefault, [this](CommandUi& ui) {
        ui.checked = GetCurrentLanguage() == LanguageTable::kBuiltInLanguage;
    });
    commands_.OnCommand(kCmdWindowCascade, [this] { ArrangeDeviceWindows(*mdiArea_, false); });
    commands_.OnCommand(kCmdWindowTile, [this] { ArrangeDeviceWindows(*mdiArea_, true); });
    commands_.OnCommand(kCmdAppExit, [this] { close(); });
    commands_.OnCommand(kCmdRemoteControl, [this] { OpenRemoteDialog(); });
    commands_.OnCommand(kCmdSoundCardOutput, [this] { OpenSoundCardDialog(); });
    commands_.OnCommand(kCmdSynchronizeOutputs, [this] { SynchronizeOutputs(); });
    commands_.OnUpdate(kCmdSynchronizeOutputs,
                       [this](CommandUi& ui) { ui.enabled = !SynchronizableChannels().empty(); });
    // Offered while a device window is active, as the window's own commands are.
    commands_.OnCommand(kCmdCloseSelectedDevice, [this] { CloseSelectedDevice(); });
    commands_.OnUpdate(kCmdCloseSelectedDevice,
                       [this](CommandUi& ui) { ui.enabled = ActiveChild() != nullptr; });
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

}  // namespace korvane
