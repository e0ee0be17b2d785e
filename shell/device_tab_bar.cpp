#include "shell/device_tab_bar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "document/control_id.h"

namespace korvane {

TabRenameEdit::TabRenameEdit(QWidget* parent) : QLineEdit(parent) {
    SetControlId(*this, kControlId);
    setFrame(false);
    hide();
}

void TabRenameEdit::Begin(int tab, const QString& text, const QRect& area) {
    tab_ = tab;
    focusBefore_ = QApplication::focusWidget();
    setGeometry(area);
    setText(text);
    selectAll();
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void TabRenameEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && isVisible()) {
        Finish();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TabRenameEdit::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Commit();
    }
    QLineEdit::keyReleaseEvent(event);
}

void TabRenameEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isVisible() && !finishing_) {
        Commit();
    }
}

void TabRenameEdit::Commit() {
    const QString name = text().left(kMaxNameLength);
    Finish();
    emit Committed(tab_, name);
}

void TabRenameEdit::Finish() {
    finishing_ = true;
    if (hasFocus() && focusBefore_ != nullptr && focusBefore_ != this) {
        focusBefore_->setFocus(Qt::OtherFocusReason);
    }
    hide();
    finishing_ = false;
}

DeviceTabBar::DeviceTabBar(QWidget* parent) : QTabBar(parent), edit_(new TabRenameEdit(this)) {
    SetControlId(*this, kControlId);
    setExpanding(false);
    setDrawBase(false);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QTabBar::currentChanged, this, [this](int index) {
        if (!rebuilding_ && index >= 0) {
            emit TabActivated(index);
        }
    });
    connect(edit_, &TabRenameEdit::Committed, this, &DeviceTabBar::RenameCommitted);
}

void DeviceTabBar::SetTabs(const QStringList& texts, const QStringList& toolTips, int current) {
    rebuilding_ = true;
    while (count() > 0) {
        removeTab(count() - 1);
    }
    for (const QString& text : texts) {
        const int tab = addTab(text);
        if (tab < toolTips.size()) {
            setTabToolTip(tab, toolTips[tab]);
        }
    }
    setCurrentIndex(current);
    rebuilding_ = false;
}

void DeviceTabBar::StartRename(const QString& title) {
    const int selected = currentIndex();
    if (selected < 0) {
        return;
    }
    edit_->Begin(selected, title, tabRect(selected).adjusted(3, 3, -3, -3));
}

void DeviceTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && count() > 0) {
        const int tab = tabAt(event->position().toPoint());
        if (tab >= 0) {
            rebuilding_ = true;  // the activation below is announced once, explicitly
            setCurrentIndex(tab);
            rebuilding_ = false;
            emit TabActivated(tab);
        }
    }
    QTabBar::mousePressEvent(event);
}

void DeviceTabBar::mouseDoubleClickEvent(QMouseEvent* event) {
    emit RenameRequested();
    QTabBar::mouseDoubleClickEvent(event);
}

void DeviceTabBar::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint pos = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5))
                                                                      : event->globalPos();
    emit ContextMenuRequested(pos);
}

}  // namespace korvane
