#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

namespace korvane {

// What a menu item or toolbar button shows for a command.
struct CommandUi {
    bool enabled = true;
    bool checked = false;
};

// One object's command table: for each command id an action, an update rule, or both. Commands
// pass along a chain of tables (view, document, frame, application); the first table with an
// action runs it, and the first with an update rule decides the item's state. An item that no
// table updates is enabled exactly when some table has an action for it.
class CommandMap {
  public:
    using Action = std::function<void()>;
    using UpdateRule = std::function<void(CommandUi&)>;

    void OnCommand(int id, Action action) { entries_[id].action = std::move(action); }
    void OnUpdate(int id, UpdateRule update) { entries_[id].update = std::move(update); }
    // Registers one action for every id in first..last.
    void OnCommandRange(int first, int last, std::function<void(int)> action);
    void OnUpdateRange(int first, int last, std::function<void(int, CommandUi&)> update);

    // Runs the action for id; false when this table has none.
    bool Execute(int id) const;
    // Applies the update rule for id; false when this table has none.
    bool Update(int id, CommandUi& ui) const;
    bool HasAction(int id) const;

  private:
    struct Entry {
        Action action;
        UpdateRule update;
    };
    struct Range {
        int first;
        int last;
        std::function<void(int)> action;
        std::function<void(int, CommandUi&)> update;
    };
    const Range* FindRange(int id, bool wantAction) const;

    std::map<int, Entry> entries_;
    std::vector<Range> ranges_;
};

// Runs id on the first table of the chain that has an action for it; false when none has.
bool RouteCommand(std::initializer_list<const CommandMap*> chain, int id);
// The state of id's item along the chain.
CommandUi RouteUpdate(std::initializer_list<const CommandMap*> chain, int id);

}  // namespace korvane
