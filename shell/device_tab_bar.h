#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTabBar>

namespace korvane {

// The in-place editor of a tab's name: Enter or leaving it commits the text, Escape drops it.
// Finishing from the keyboard hands the focus back to where it was, so the device window that
// had it stays the active one.
class TabRenameEdit : public QLineEdit {
    Q_OBJECT
  public:
    static constexpr int kControlId = 2002;
    static constexpr int kMaxNameLength = 20;

    explicit TabRenameEdit(QWidget* parent);
    void Begin(int tab, const QString& text, const QRect& area);

  signals:
    void Committed(int tab, const QString& name);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void Commit();
    // Hides the edit; while it has the focus, the focus goes back first.
    void Finish();

    int tab_ = -1;
    QPointer<QWidget> focusBefore_;
    bool finishing_ = false;
};

// One tab per device window. Choosing a tab, the context menu and a double click reach the frame
// through signals; the frame owns the list the tabs show.
class DeviceTabBar : public QTabBar {
    Q_OBJECT
  public:
    static constexpr int kControlId = 2001;

    explicit DeviceTabBar(QWidget* parent);

    // Shows the edit over the selected tab with `title` selected in it.
    void StartRename(const QString& title);
    TabRenameEdit& RenameEdit() const { return *edit_; }
    // Replaces every tab by one per text, each with the tooltip at its position (an empty one
    // shows none), without announcing selection changes.
    void SetTabs(const QStringList& texts, const QStringList& toolTips, int current);

  signals:
    void TabActivated(int index);
    void ContextMenuRequested(const QPoint& globalPos);
    void RenameRequested();
    void RenameCommitted(int index, const QString& name);

  protected:
    // A right click selects and activates the tab under it before the context menu opens.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    TabRenameEdit* edit_;
    bool rebuilding_ = false;
};

}  // namespace korvane
