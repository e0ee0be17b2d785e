#pragma once

#include <memory>
#include <string>
#include <vector>

#include "i18n/translatable.h"

namespace korvane::testing {

// A dialog whose children are plain text slots.
class FakeDialog : public TranslatableDialog {
  public:
    struct Child {
        int id;
        std::string text;
    };

    explicit FakeDialog(std::vector<Child> children) : children_(std::move(children)) {}

    std::vector<TranslatableControl> TranslatableChildren() override {
        std::vector<TranslatableControl> controls;
        for (Child& child : children_) {
            controls.push_back(
                {child.id, [&child](const std::string& text) { child.text = text; }});
        }
        return controls;
    }

    const std::string& Text(std::size_t index) const { return children_.at(index).text; }

  private:
    std::vector<Child> children_;
};

// A menu level with items that may be separators or open submenus; counts every retitling.
class FakeMenu : public TranslatableMenu {
  public:
    struct Item {
        std::string text;
        std::unique_ptr<FakeMenu> submenu;
    };
    static constexpr const char* kSeparator = "";

    FakeMenu& Add(std::string text) {
        items_.push_back({std::move(text), nullptr});
        return *this;
    }
    FakeMenu& AddSeparator() { return Add(kSeparator); }
    // Adds an item with a submenu and returns the submenu.
    FakeMenu& AddSubmenu(std::string text) {
        items_.push_back({std::move(text), std::make_unique<FakeMenu>()});
        return *items_.back().submenu;
    }

    int ItemCount() const override { return static_cast<int>(items_.size()); }
    bool IsSeparator(int position) const override { return items_.at(position).text.empty(); }
    TranslatableMenu* Submenu(int position) override { return items_.at(position).submenu.get(); }
    void SetItemText(int position, const std::string& text) override {
        items_.at(position).text = text;
        ++changes_;
    }

    const std::string& Text(int position) const { return items_.at(position).text; }
    FakeMenu& Sub(int position) const { return *items_.at(position).submenu; }
    int Changes() const { return changes_; }

  private:
    std::vector<Item> items_;
    int changes_ = 0;
};

}  // namespace korvane::testing
