#include "shell/menu_ex.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <algorithm>

#include "document/command_ids.h"

// Resources linked from a static library must be registered explicitly.
static void RegisterMenuImageResources() {
    Q_INIT_RESOURCE(korvane);
}

namespace korvane {

namespace {

// Room that an owner-drawn item gets beside its text: before it, and after it for the submenu
// arrow.
constexpr int kTextGap = 10;
constexpr int kSubmenuTextGap = 25;
constexpr int kItemExtraHeight = 2;
constexpr QChar kCheckGlyph(0x221A);

const QMenu* MenuOf(const QWidget* widget) {
    return qobject_cast<const QMenu*>(widget);
}

// The command id of the item drawn in `rect` of `menu`, 0 when it has none.
int CommandIdAt(const QWidget* widget, const QRect& rect) {
    const QMenu* menu = MenuOf(widget);
    const QAction* action = menu != nullptr ? menu->actionAt(rect.center()) : nullptr;
    return action != nullptr ? action->property(CMenuEx::kCommandIdProperty).toInt() : 0;
}

bool IsGrayed(const QStyleOptionMenuItem& item) {
    return !(item.state & QStyle::State_Enabled);
}

bool IsSelected(const QStyleOptionMenuItem& item) {
    return (item.state & QStyle::State_Selected) != 0;
}

bool IsChecked(const QStyleOptionMenuItem& item) {
    return item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;
}

}  // namespace

CMenuEx::CMenuEx(QObject* owner) {
    setParent(owner);
}

void CMenuEx::SetImageSizeFrom(const QPixmap& strip) {
    if (!strip.isNull()) {
        imageSize_ = QSize(strip.height(), strip.height());
    }
}

void CMenuEx::SetNormalImages(const QPixmap& strip) {
    normal_ = strip;
    SetImageSizeFrom(strip);
}

void CMenuEx::SetDisabledImages(const QPixmap& strip) {
    disabled_ = strip;
    if (normal_.isNull() && selected_.isNull()) {
        SetImageSizeFrom(strip);
    }
}

void CMenuEx::SetSelectedImages(const QPixmap& strip) {
    selected_ = strip;
    if (normal_.isNull() && disabled_.isNull()) {
        SetImageSizeFrom(strip);
    }
}

void CMenuEx::SetImageIds(std::vector<int> ids) {
    imageIds_ = std::move(ids);
}

void CMenuEx::UseProgramImages() {
    RegisterMenuImageResources();
    const QPixmap normal(QStringLiteral(":/images/toolbar.png"));
    SetNormalImages(normal);
    SetDisabledImages(QPixmap(QStringLiteral(":/images/toolbar_disabled.png")));
    SetSelectedImages(normal);
    SetImageIds({kCmdFileNew, kCmdFileOpen, kCmdFileSave, kCmdFilePrint, kCmdCloseSelectedDevice,
                 kCmdZoomOut, kCmdZoomIn, kCmdHelpContent});
}

int CMenuEx::ImageIndex(int commandId) const {
    if (commandId == 0) {
        return -1;
    }
    for (std::size_t j = 0; j < imageIds_.size(); ++j) {
        if (imageIds_[j] == commandId) {
            return static_cast<int>(j);
        }
    }
    return -1;
}

void CMenuEx::Attach(QMenuBar& bar) {
    for (QMenu* menu : bar.findChildren<QMenu*>()) {
        menu->setStyle(this);
    }
}

void CMenuEx::Attach(QMenu& menu) {
    menu.setStyle(this);
    for (QMenu* submenu : menu.findChildren<QMenu*>()) {
        submenu->setStyle(this);
    }
}

int CMenuEx::pixelMetric(PixelMetric metric, const QStyleOption* option,
                         const QWidget* widget) const {
    switch (metric) {
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        case PM_MenuPanelWidth:
            return 1;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void CMenuEx::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        painter->save();
        if (element == PE_PanelMenu) {
            painter->fillRect(option->rect, option->palette.color(QPalette::Base));
        }
        painter->setPen(option->palette.color(QPalette::Mid));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QSize CMenuEx::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || item == nullptr || MenuOf(widget) == nullptr) {
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        return {size.width(), kSeparatorHeight};
    }
    const bool submenu = item->menuItemType == QStyleOptionMenuItem::SubMenu;
    const int gap = submenu ? kSubmenuTextGap : kTextGap;
    // The image column before the text, and as much again after it for the arrow.
    return {size.width() + gap + 2 * imageSize_.width(), kItemExtraHeight + imageSize_.height()};
}

void CMenuEx::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item != nullptr && MenuOf(widget) != nullptr) {
        painter->save();
        DrawMenuItem(*item, *painter, widget);
        painter->restore();
        return;
    }
    if (element == CE_MenuEmptyArea && MenuOf(widget) != nullptr) {
        painter->fillRect(option->rect, option->palette.color(QPalette::Base));
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void CMenuEx::DrawMenuItem(const QStyleOptionMenuItem& item, QPainter& painter,
                           const QWidget* widget) const {
    const QRect r = item.rect;
    const bool separator = item.menuItemType == QStyleOptionMenuItem::Separator;

    painter.fillRect(r, item.palette.color(QPalette::Base));
    painter.fillRect(QRect(r.left(), r.top(), imageSize_.width() + 2, r.height()),
                     kImageColumnColour);

    if (!separator && IsSelected(item) && !IsGrayed(item)) {
        painter.setPen(kHighlightFrameColour);
        painter.setBrush(kHighlightFillColour);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }

    const QRect textArea(QPoint(r.left() + imageSize_.width() + 10, r.top()),
                         QPoint(r.right() - imageSize_.width() + 4, r.bottom()));
    if (separator) {
        const int y = r.top() + r.height() / 2 - 1;
        painter.fillRect(QRect(textArea.left(), y, textArea.width(), 1), kSeparatorColour);
        return;
    }
    DrawItemText(item, painter, textArea);

    if (item.menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOptionMenuItem arrow = item;
        arrow.rect = QRect(textArea.right() + 1, r.top(), r.right() - textArea.right(), r.height());
        arrow.palette.setColor(QPalette::ButtonText, painter.pen().color());
        QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, &painter, widget);
    }

    const QRect box(QPoint(r.left() + 1, r.top() + 1), imageSize_);
    if (IsChecked(item)) {
        DrawCheckBox(item, painter, box);
        return;
    }
    const int index = ImageIndex(CommandIdAt(widget, r));
    const QPixmap* strip = StripFor(item);
    if (index >= 0 && strip != nullptr && (index + 1) * imageSize_.width() <= strip->width()) {
        painter.drawPixmap(box.topLeft(), *strip,
                           QRect(QPoint(index * imageSize_.width(), 0), imageSize_));
    }
}

// The text before "#" left-aligned, the part after it right-aligned; the accelerator that the
// menu appends after a tab goes into the menu's accelerator column.
void CMenuEx::DrawItemText(const QStyleOptionMenuItem& item, QPainter& painter,
                           const QRect& area) const {
    // A selected item keeps the menu's text colour: the highlight fill is light.
    painter.setPen(IsGrayed(item) ? kGrayedTextColour : item.palette.color(QPalette::Text));
    painter.setFont(item.font);

    QString text = item.text;
    QString accelerator;
    if (const qsizetype tab = text.indexOf(QLatin1Char('\t')); tab >= 0) {
        accelerator = text.mid(tab + 1);
        text.truncate(tab);
    }
    const int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    QRect textArea = area;
    if (!accelerator.isEmpty()) {
        const int column = std::max(item.reservedShortcutWidth,
                                    painter.fontMetrics().horizontalAdvance(accelerator));
        const QRect acceleratorArea(area.right() - column + 1, area.top(), column, area.height());
        painter.drawText(acceleratorArea, flags | Qt::AlignLeft, accelerator);
        textArea.setRight(acceleratorArea.left() - 1);
    }
    if (const qsizetype hash = text.indexOf(QLatin1Char('#')); hash >= 0) {
        painter.drawText(textArea, flags | Qt::AlignRight, text.mid(hash + 1));
        text.truncate(hash);
    }
    painter.drawText(textArea, flags | Qt::AlignLeft | Qt::TextExpandTabs, text);
}

void CMenuEx::DrawCheckBox(const QStyleOptionMenuItem& item, QPainter& painter,
                           const QRect& box) const {
    painter.setPen(kHighlightFrameColour);
    painter.setBrush(kHighlightFillColour);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QString glyph(kCheckGlyph);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (IsGrayed(item)) {
        // Embossed: a light copy one pixel down and right under the gray one.
        painter.setPen(item.palette.color(QPalette::Light));
        painter.drawText(box.translated(1, 1), flags, glyph);
        painter.setPen(kGrayedTextColour.darker(130));
    } else {
        painter.setPen(item.palette.color(QPalette::Text));
    }
    painter.drawText(box, flags, glyph);
}

const QPixmap* CMenuEx::StripFor(const QStyleOptionMenuItem& item) const {
    if (IsGrayed(item) && !disabled_.isNull()) {
        return &disabled_;
    }
    if (IsSelected(item) && !selected_.isNull()) {
        return &selected_;
    }
    return normal_.isNull() ? nullptr : &normal_;
}

}  // namespace korvane
