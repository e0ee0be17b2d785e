// The program's own drawing of drop-down menu items, read back from the painted menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <memory>

#include "document/command_ids.h"
#include "shell/menu_ex.h"

namespace korvane {
namespace {

QAction* AddCommand(QMenu& menu, const QString& text, int id) {
    QAction* action = menu.addAction(text);
    action->setProperty(CMenuEx::kCommandIdProperty, id);
    return action;
}

class MenuExPaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        style.UseProgramImages();
        open = AddCommand(menu, QStringLiteral("&Open CSV..."), kCmdFileOpen);
        grayed = AddCommand(menu, QStringLiteral("&New"), kCmdFileNew);
        grayed->setEnabled(false);
        separator = menu.addSeparator();
        checked = AddCommand(menu, QStringLiteral("Pattern Generator"), kCmdPatternGenerator);
        checked->setCheckable(true);
        checked->setChecked(true);
        checkedWithPicture = AddCommand(menu, QStringLiteral("Save"), kCmdFileSave);
        checkedWithPicture->setCheckable(true);
        checkedWithPicture->setChecked(true);
        plain = AddCommand(menu, QStringLiteral("Sweep"), kCmdSweep);
        hashed = AddCommand(menu, QStringLiteral("Left#R"), kCmdWaveNumber);
        shortcut = AddCommand(menu, QStringLiteral("&Print..."), kCmdFilePrint);
        shortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
        submenu = menu.addMenu(QStringLiteral("Language"));
        submenu->addAction(QStringLiteral("Default(En)"));
        style.Attach(menu);
        menu.popup(QPoint(0, 0));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&menu));
    }
    void TearDown() override { menu.hide(); }

    QImage Picture() { return menu.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRect Item(QAction* action) const { return menu.actionGeometry(action); }

    CMenuEx style;
    QMenu menu;
    QAction* open = nullptr;
    QAction* grayed = nullptr;
    QAction* separator = nullptr;
    QAction* checked = nullptr;
    QAction* checkedWithPicture = nullptr;
    QAction* plain = nullptr;
    QAction* hashed = nullptr;
    QAction* shortcut = nullptr;
    QMenu* submenu = nullptr;
};

// The pixels of `area` whose colour satisfies `pick`.
template <typename Pick>
int Count(const QImage& image, const QRect& area, Pick pick) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += pick(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return n;
}

// The cell of picture `index` from a strip, drawn over the image column's colour.
QImage ExpectedPicture(const QString& strip, int index) {
    QImage cell(20, 20, QImage::Format_RGB32);
    cell.fill(CMenuEx::kImageColumnColour);
    QPainter painter(&cell);
    painter.drawPixmap(0, 0, QPixmap(strip), index * 20, 0, 20, 20);
    return cell;
}

TEST_F(MenuExPaintTest, ItemsAreTwentyTwoHighAndSeparatorsTen) {
    EXPECT_EQ(style.ImageSize(), QSize(20, 20));
    EXPECT_EQ(Item(open).height(), 22);
    EXPECT_EQ(Item(plain).height(), 22);
    EXPECT_EQ(Item(separator).height(), CMenuEx::kSeparatorHeight);
}

TEST_F(MenuExPaintTest, TheImageColumnIsLightAndTheTextAreaPlain) {
    const QImage picture = Picture();
    const QRect item = Item(plain);
    const int y = item.center().y();
    EXPECT_EQ(picture.pixelColor(item.left() + 21, y), CMenuEx::kImageColumnColour);
    EXPECT_EQ(picture.pixelColor(item.left() + 22, y), menu.palette().color(QPalette::Base));
    // Sweep has no picture: the whole box stays the column's colour.
    EXPECT_EQ(Count(picture, QRect(item.left() + 1, item.top() + 1, 20, 20),
                    [](const QColor& c) { return c != CMenuEx::kImageColumnColour; }),
              0);
}

TEST_F(MenuExPaintTest, AnItemWithAnImageIdShowsItsPicture) {
    const QImage picture = Picture();
    const QRect item = Item(open);
    const QImage shown = picture.copy(item.left() + 1, item.top() + 1, 20, 20);
    EXPECT_EQ(shown, ExpectedPicture(QStringLiteral(":/images/toolbar.png"), 1));
}

TEST_F(MenuExPaintTest, AGrayedItemUsesLightGrayTextAndItsDisabledPicture) {
    const QImage picture = Picture();
    const QRect item = Item(grayed);
    const QImage shown = picture.copy(item.left() + 1, item.top() + 1, 20, 20);
    EXPECT_EQ(shown, ExpectedPicture(QStringLiteral(":/images/toolbar_disabled.png"), 0));
    const QRect text(item.left() + 30, item.top(), item.width() - 50, item.height());
    EXPECT_GT(Count(picture, text, [](const QColor& c) { return c == CMenuEx::kGrayedTextColour; }),
              5);
    EXPECT_EQ(Count(picture, text, [](const QColor& c) { return c.lightness() < 190; }), 0)
        << "no dark text on a grayed item";
}

TEST_F(MenuExPaintTest, ACheckedItemShowsAFramedCheckBoxInsteadOfItsPicture) {
    const QImage picture = Picture();
    for (QAction* action : {checked, checkedWithPicture}) {
        const QRect item = Item(action);
        const QRect box(item.left() + 1, item.top() + 1, 20, 20);
        EXPECT_EQ(picture.pixelColor(box.topLeft()), CMenuEx::kHighlightFrameColour);
        EXPECT_EQ(picture.pixelColor(box.bottomRight()), CMenuEx::kHighlightFrameColour);
        EXPECT_EQ(picture.pixelColor(box.left() + 2, box.top() + 2), CMenuEx::kHighlightFillColour);
        // The glyph: dark ink in the middle of the box.
        EXPECT_GT(Count(picture, box.adjusted(3, 3, -3, -3),
                        [](const QColor& c) { return c.lightness() < 100; }),
                  3);
    }
    // Save's picture (a strip image) does not show under the box.
    const QRect item = Item(checkedWithPicture);
    EXPECT_NE(picture.copy(item.left() + 1, item.top() + 1, 20, 20),
              ExpectedPicture(QStringLiteral(":/images/toolbar.png"), 2));
}

TEST_F(MenuExPaintTest, TheSelectedItemIsFramedAndFilled) {
    menu.setActiveAction(plain);
    const QImage picture = Picture();
    const QRect item = Item(plain);
    const int y = item.center().y();
    EXPECT_EQ(picture.pixelColor(item.left(), y), CMenuEx::kHighlightFrameColour);
    EXPECT_EQ(picture.pixelColor(item.right(), y), CMenuEx::kHighlightFrameColour);
    EXPECT_EQ(picture.pixelColor(item.left() + 5, item.top()), CMenuEx::kHighlightFrameColour);
    EXPECT_EQ(picture.pixelColor(item.left() + 21, y), CMenuEx::kHighlightFillColour);
    EXPECT_EQ(picture.pixelColor(item.right() - 3, y), CMenuEx::kHighlightFillColour);
}

TEST_F(MenuExPaintTest, AGrayedItemIsNotHighlighted) {
    menu.setActiveAction(grayed);
    const QImage picture = Picture();
    const QRect item = Item(grayed);
    EXPECT_EQ(picture.pixelColor(item.left() + 21, item.center().y()), CMenuEx::kImageColumnColour);
    EXPECT_EQ(
        Count(picture, item, [](const QColor& c) { return c == CMenuEx::kHighlightFrameColour; }),
        0);
}

TEST_F(MenuExPaintTest, ASeparatorIsAThinLineAcrossTheTextArea) {
    const QImage picture = Picture();
    const QRect item = Item(separator);
    const int lineY = item.top() + item.height() / 2 - 1;
    const int left = item.left() + 30;
    const int right = item.right() - 20 + 4;
    EXPECT_EQ(picture.pixelColor(left, lineY), CMenuEx::kSeparatorColour);
    EXPECT_EQ(picture.pixelColor(right, lineY), CMenuEx::kSeparatorColour);
    EXPECT_NE(picture.pixelColor(left - 1, lineY), CMenuEx::kSeparatorColour);
    EXPECT_NE(picture.pixelColor(left, lineY - 1), CMenuEx::kSeparatorColour);
    EXPECT_NE(picture.pixelColor(left, lineY + 1), CMenuEx::kSeparatorColour);
}

// The rightmost and leftmost columns with dark ink in the item's text area.
std::pair<int, int> InkSpan(const QImage& picture, const QRect& item) {
    int left = item.right();
    int right = item.left();
    for (int x = item.left() + 22; x <= item.right(); ++x) {
        for (int y = item.top() + 2; y < item.bottom() - 1; ++y) {
            if (picture.pixelColor(x, y).lightness() < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

TEST_F(MenuExPaintTest, TheTextAfterAHashIsRightAligned) {
    const QImage picture = Picture();
    const QRect item = Item(hashed);
    const auto [left, right] = InkSpan(picture, item);
    EXPECT_NEAR(left, item.left() + 30, 2);
    // Right-aligned at the text area's right edge (the image width short of the item's, + 4).
    EXPECT_NEAR(right, item.right() - 16, 3);
    // Nothing between "Left" and "R": the middle of the item is blank.
    const QRect middle(right - 25, item.top() + 2, 12, item.height() - 4);
    EXPECT_EQ(Count(picture, middle, [](const QColor& c) { return c.lightness() < 100; }), 0);
}

TEST_F(MenuExPaintTest, TheAcceleratorStandsInItsOwnColumn) {
    const QImage picture = Picture();
    const QRect print = Item(shortcut);
    const QRect open_ = Item(open);
    const auto [printLeft, printRight] = InkSpan(picture, print);
    const auto [openLeft, openRight] = InkSpan(picture, open_);
    EXPECT_EQ(printLeft, openLeft);
    EXPECT_GT(printRight, openRight + 20) << "Ctrl+P stands to the right of the texts";
}

TEST_F(MenuExPaintTest, SubmenusAreDrawnTheSameWay) {
    EXPECT_EQ(submenu->style(), &style);
    EXPECT_EQ(Item(submenu->menuAction()).height(), 22);
}

TEST(MenuExImagesTest, ImageIdsNameThePicturesInOrder) {
    CMenuEx style;
    EXPECT_EQ(style.ImageIndex(kCmdFileNew), -1) << "no ids before they are set";
    style.UseProgramImages();
    const int ids[] = {
        kCmdFileNew, kCmdFileOpen, kCmdFileSave,   kCmdFilePrint, kCmdCloseSelectedDevice,
        kCmdZoomOut, kCmdZoomIn,   kCmdHelpContent};
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(style.ImageIndex(ids[j]), j);
    }
    EXPECT_EQ(style.ImageIndex(kCmdEditCopy), -1);
    EXPECT_EQ(style.ImageIndex(0), -1);
}

TEST(MenuExImagesTest, TheImageSizeFollowsTheFirstStripSet) {
    CMenuEx style;
    EXPECT_EQ(style.ImageSize(), QSize(20, 20));
    style.SetDisabledImages(QPixmap(64, 16));
    EXPECT_EQ(style.ImageSize(), QSize(16, 16));
    style.SetSelectedImages(QPixmap(96, 24));
    EXPECT_EQ(style.ImageSize(), QSize(16, 16)) << "the disabled strip came first";
    style.SetNormalImages(QPixmap(96, 24));
    EXPECT_EQ(style.ImageSize(), QSize(24, 24)) << "the normal strip always sets it";
}

TEST(MenuExAttachTest, EveryDropDownOfABarButNotTheBarItself) {
    CMenuEx style;
    QMenuBar bar;
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    QMenu* deeper = file->addMenu(QStringLiteral("More"));
    style.Attach(bar);
    EXPECT_EQ(file->style(), &style);
    EXPECT_EQ(deeper->style(), &style);
    EXPECT_NE(bar.style(), &style);
}

}  // namespace
}  // namespace korvane
