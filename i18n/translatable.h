#pragma once

#include <functional>
#include <string>
#include <vector>

namespace korvane {

// Sets the visible text of one control (label, button, group box, ...).
using TextSetter = std::function<void(const std::string& text)>;

// One translatable child of a dialog or form: its numeric control id and how to retitle it.
struct TranslatableControl {
    int id = 0;
    TextSetter setText;
};

// A dialog or form whose direct children carry control ids. Children of nested windows are not
// listed: they belong to that window and are translated with it.
class TranslatableDialog {
  public:
    virtual ~TranslatableDialog() = default;
    // The direct children, in the window's child order.
    virtual std::vector<TranslatableControl> TranslatableChildren() = 0;
};

// One level of a menu tree as the user sees it: the bar, a drop-down or a submenu. Positions count
// from 0 and include separators.
class TranslatableMenu {
  public:
    virtual ~TranslatableMenu() = default;
    virtual int ItemCount() const = 0;
    virtual bool IsSeparator(int position) const = 0;
    // The submenu opened by the item, or nullptr when the item is a plain command.
    virtual TranslatableMenu* Submenu(int position) = 0;
    // Retitles the item in place; its submenu and command stay.
    virtual void SetItemText(int position, const std::string& text) = 0;
};

}  // namespace korvane
