// The front panel as it is drawn: the dark display field on the left, the panel on the right.
// With KORVANE_PANEL_PICTURES naming a folder, the pictures are also saved there to look at.
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QSlider>
#include <QToolButton>

#include "image_probe.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

class PanelPictureTest : public FrontPanelTest {
  protected:
    QImage Picture(const char* name) {
        view->TimerTick();
        const QImage image = Grab(*view);
        const QString folder = qEnvironmentVariable("KORVANE_PANEL_PICTURES");
        if (!folder.isEmpty()) {
            image.save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
        }
        return image;
    }
    void ExpectDarkFieldLeftAndPanelRight(const QImage& image) {
        const QRect display = view->Display().geometry();
        EXPECT_GT(CountColour(image, display, view->Display().BackgroundColor()),
                  display.width() * display.height() / 4);
        const QRect panel(form().group->mapTo(view.get(), QPoint(0, 0)), form().group->size());
        EXPECT_EQ(CountColour(image, panel, view->Display().BackgroundColor()), 0);
    }
};

TEST_F(PanelPictureTest, SineSquareAmFmAndADrawnArbitrary) {
    ExpectDarkFieldLeftAndPanelRight(Picture("panel_sine"));

    Press(*form().waveKeys[Square]);
    channel().squareDuty = 0.2f;
    ExpectDarkFieldLeftAndPanelRight(Picture("panel_square_duty_0_2"));

    Press(*form().waveKeys[AmFm]);
    ExpectDarkFieldLeftAndPanelRight(Picture("panel_am_fm"));

    Press(*form().waveKeys[Arbitrary]);
    view->TimerTick();
    const PlotArea plot = view->Plot();
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, {plot.left + 40, plot.top + 30});
    for (int x = plot.left + 40; x < plot.right - 40; x += 25) {
        QTest::mouseMove(view.get(), {x, plot.top + 30 + (x * 7) % (plot.bottom - plot.top - 60)});
    }
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, {plot.right - 40, 40});
    const QImage arbitrary = Picture("panel_arbitrary_stroke");
    ExpectDarkFieldLeftAndPanelRight(arbitrary);
    EXPECT_TRUE(view->Slider().isVisible());

    QTest::mouseClick(&view->ShowHideButton(), Qt::LeftButton);
    Picture("panel_hidden");
}

}  // namespace
}  // namespace korvane::test
