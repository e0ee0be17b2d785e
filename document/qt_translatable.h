#pragma once

#include <memory>
#include <vector>

#include "i18n/translatable.h"

class QMenu;
class QMenuBar;
class QWidget;
class QAction;

namespace korvane {

// A window's widgets with a control id, as the language table translates them. Widgets inside
// plain containers count; those of nested windows (dialogs, tool windows) do not.
class WidgetTranslatable : public TranslatableDialog {
  public:
    explicit WidgetTranslatable(QWidget& window) : window_(window) {}
    std::vector<TranslatableControl> TranslatableChildren() override;

  private:
    QWidget& window_;
};

// A menu bar or drop-down as the language table walks it.
class MenuTranslatable : public TranslatableMenu {
  public:
    explicit MenuTranslatable(QMenuBar& bar);
    explicit MenuTranslatable(QMenu& menu);

    int ItemCount() const override;
    bool IsSeparator(int position) const override;
    TranslatableMenu* Submenu(int position) override;
    void SetItemText(int position, const std::string& text) override;

  private:
    QAction* Item(int position) const;

    QWidget& widget_;
    std::vector<std::unique_ptr<MenuTranslatable>> submenus_;
};

}  // namespace korvane
