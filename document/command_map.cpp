#include "document/command_map.h"

namespace korvane {

void CommandMap::OnCommandRange(int first, int last, std::function<void(int)> action) {
    ranges_.push_back({first, last, std::move(action), {}});
}

void CommandMap::OnUpdateRange(int first, int last, std::function<void(int, CommandUi&)> update) {
    ranges_.push_back({first, last, {}, std::move(update)});
}

const CommandMap::Range* CommandMap::FindRange(int id, bool wantAction) const {
    for (const Range& range : ranges_) {
        if (id >= range.first && id <= range.last &&
            (wantAction ? static_cast<bool>(range.action) : static_cast<bool>(range.update))) {
            return &range;
        }
    }
    return nullptr;
}

bool CommandMap::Execute(int id) const {
    if (const auto it = entries_.find(id); it != entries_.end() && it->second.action) {
        it->second.action();
        return true;
    }
    if (const Range* range = FindRange(id, true)) {
        range->action(id);
        return true;
    }
    return false;
}

bool CommandMap::Update(int id, CommandUi& ui) const {
    if (const auto it = entries_.find(id); it != entries_.end() && it->second.update) {
        it->second.update(ui);
        return true;
    }
    if (const Range* range = FindRange(id, false)) {
        range->update(id, ui);
        return true;
    }
    return false;
}

bool CommandMap::HasAction(int id) const {
    const auto it = entries_.find(id);
    return (it != entries_.end() && it->second.action) || FindRange(id, true) != nullptr;
}

bool RouteCommand(std::initializer_list<const CommandMap*> chain, int id) {
    for (const CommandMap* map : chain) {
        if (map != nullptr && map->Execute(id)) {
            return true;
        }
    }
    return false;
}

CommandUi RouteUpdate(std::initializer_list<const CommandMap*> chain, int id) {
    CommandUi ui;
    for (const CommandMap* map : chain) {
        if (map != nullptr && map->Update(id, ui)) {
            return ui;
        }
    }
    ui.enabled = false;
    for (const CommandMap* map : chain) {
        if (map != nullptr && map->HasAction(id)) {
            ui.enabled = true;
            break;
        }
    }
    return ui;
}

}  // namespace korvane
