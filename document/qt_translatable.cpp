#include "document/qt_translatable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QVariant>
#include <QWidget>

#include "document/control_id.h"

namespace korvane {

namespace {

// Labels, buttons, line edits and our panel controls show a "text"; group boxes a "title".
void SetWidgetText(QWidget& widget, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (widget.metaObject()->indexOfProperty("text") >= 0) {
        widget.setProperty("text", value);
    } else if (widget.metaObject()->indexOfProperty("title") >= 0) {
        widget.setProperty("title", value);
    }
}

void CollectControls(QWidget& parent, std::vector<TranslatableControl>& controls) {
    for (QObject* object : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget == nullptr || widget->isWindow()) {
            continue;
        }
        if (const int id = ControlId(*widget); id != 0) {
            controls.push_back(
                {id, [widget](const std::string& text) { SetWidgetText(*widget, text); }});
        }
        CollectControls(*widget, controls);
    }
}

}  // namespace

std::vector<TranslatableControl> WidgetTranslatable::TranslatableChildren() {
    std::vector<TranslatableControl> controls;
    CollectControls(window_, controls);
    return controls;
}

MenuTranslatable::MenuTranslatable(QMenuBar& bar) : widget_(bar) {}

MenuTranslatable::MenuTranslatable(QMenu& menu) : widget_(menu) {}

QAction* MenuTranslatable::Item(int position) const {
    const QList<QAction*> items = widget_.actions();
    return position >= 0 && position < items.size() ? items[position] : nullptr;
}

int MenuTranslatable::ItemCount() const {
    return static_cast<int>(widget_.actions().size());
}

bool MenuTranslatable::IsSeparator(int position) const {
    const QAction* item = Item(position);
    return item == nullptr || item->isSeparator();
}

TranslatableMenu* MenuTranslatable::Submenu(int position) {
    QAction* item = Item(position);
    if (item == nullptr || item->menu() == nullptr) {
        return nullptr;
    }
    submenus_.push_back(std::make_unique<MenuTranslatable>(*item->menu()));
    return submenus_.back().get();
}

void MenuTranslatable::SetItemText(int position, const std::string& text) {
    if (QAction* item = Item(position)) {
        item->setText(QString::fromStdString(text));
    }
}

}  // namespace korvane
