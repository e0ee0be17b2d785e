#pragma once

#include <QColor>
#include <QPixmap>
#include <QProxyStyle>
#include <vector>

class QMenu;
class QMenuBar;
class QStyleOptionMenuItem;

namespace korvane {

// Draws the items of the program's drop-down menus itself: a light image column holding the
// command's picture or, for a checked item, a framed "√" box; a framed highlight on the selected
// item; thin lines for separators; grayed items in light gray with their disabled pictures; the
// part of a text after "#" right-aligned and accelerators in their own column. Item texts are
// the actions' texts, so the language table retitles them; items added while a menu opens (the
// Window menu's list of device windows) are drawn the same way. The menu bar keeps its plain
// look.
class CMenuEx : public QProxyStyle {
    Q_OBJECT
  public:
    static constexpr int kSeparatorHeight = 10;
    static constexpr int kDefaultImageSize = 20;
    static constexpr QColor kImageColumnColour{236, 233, 216};
    static constexpr QColor kHighlightFrameColour{49, 106, 197};
    static constexpr QColor kHighlightFillColour{200, 220, 253};
    static constexpr QColor kGrayedTextColour{200, 200, 200};
    static constexpr QColor kSeparatorColour{197, 194, 184};
    // Menu items read their command id from this action property.
    static constexpr char kCommandIdProperty[] = "korvaneCommandId";

    explicit CMenuEx(QObject* owner = nullptr);

    // Image strips of equally wide square pictures; the image size follows the first strip set.
    void SetNormalImages(const QPixmap& strip);
    void SetDisabledImages(const QPixmap& strip);
    void SetSelectedImages(const QPixmap& strip);
    // The command whose item shows picture j of the strips is ids[j].
    void SetImageIds(std::vector<int> ids);
    // The program's menu pictures: the toolbar strips, for New, Open, Save, Print, the tab bar's
    // Close, Zoom Out, Zoom In and Help.
    void UseProgramImages();

    QSize ImageSize() const { return imageSize_; }
    // The picture index of a command, -1 for none.
    int ImageIndex(int commandId) const;

    // Draws every drop-down of the bar (and their submenus) with this style; the style must
    // outlive them.
    void Attach(QMenuBar& bar);
    void Attach(QMenu& menu);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

  private:
    void SetImageSizeFrom(const QPixmap& strip);
    void DrawMenuItem(const QStyleOptionMenuItem& item, QPainter& painter,
                      const QWidget* widget) const;
    void DrawItemText(const QStyleOptionMenuItem& item, QPainter& painter, const QRect& area) const;
    void DrawCheckBox(const QStyleOptionMenuItem& item, QPainter& painter, const QRect& box) const;
    const QPixmap* StripFor(const QStyleOptionMenuItem& item) const;

    QSize imageSize_{kDefaultImageSize, kDefaultImageSize};
    QPixmap normal_;
    QPixmap disabled_;
    QPixmap selected_;
    std::vector<int> imageIds_;
};

}  // namespace korvane
