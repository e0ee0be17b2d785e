// Panel captions keep long translations inside their rectangles.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>

#include "view/panel_label.h"

namespace korvane {
namespace {

class PanelLabelTest : public ::testing::Test {
  protected:
    // The space the text takes in the label's current font, wrapped to its width.
    QRect Needed(const PanelLabel& label) {
        return QFontMetrics(label.font())
            .boundingRect(QRect(0, 0, label.contentsRect().width(), 1 << 16), Qt::TextWordWrap,
                          label.text());
    }

    QWidget parent;
};

TEST_F(PanelLabelTest, ShortTextKeepsTheFormsTypeSize) {
    PanelLabel label(&parent);
    label.setGeometry(0, 0, 70, 19);
    label.SetText("Sine");
    EXPECT_DOUBLE_EQ(label.FittedPointSize(), parent.font().pointSizeF());
}

TEST_F(PanelLabelTest, LongTextInAOneLineLabelIsSetSmallerUntilItFits) {
    PanelLabel label(&parent);
    label.setGeometry(0, 0, 90, 19);
    // The language table retitles through the "text" property.
    label.setProperty("text", QStringLiteral("Ausgang EIN/AUS"));
    EXPECT_EQ(label.text(), "Ausgang EIN/AUS");
    EXPECT_LT(label.FittedPointSize(), parent.font().pointSizeF());
    EXPECT_LE(Needed(label).width(), 90);
    EXPECT_LE(Needed(label).height(), 19);
}

TEST_F(PanelLabelTest, TallLabelWrapsALongNameOntoTwoLines) {
    PanelLabel label(&parent);
    label.setGeometry(0, 0, 70, 29);
    label.SetText("Weißes Rauschen");
    EXPECT_LE(Needed(label).width(), 70);
    EXPECT_LE(Needed(label).height(), 29);
    EXPECT_GT(Needed(label).height(), QFontMetrics(label.font()).height());  // two lines
}

TEST_F(PanelLabelTest, ResizingFitsTheTextAgain) {
    PanelLabel label(&parent);
    label.setGeometry(0, 0, 200, 19);
    label.SetText("Ext. Triggermodus");
    parent.show();
    const double wide = label.FittedPointSize();
    label.resize(60, 19);
    EXPECT_LT(label.FittedPointSize(), wide);
}

}  // namespace
}  // namespace korvane
