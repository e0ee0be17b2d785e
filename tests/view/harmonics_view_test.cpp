// Display > Spectrum on a device window: the harmonics of the buffer the generator gets, read as
// a user reads them, following the channel at the window's refresh.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>

#include "document/command_ids.h"
#include "test_language.h"
#include "view/harmonics_view.h"
#include "view_panel_fixture.h"

namespace korvane {
namespace {

class SpectrumViewTest : public test::FrontPanelTest {
  protected:
    // Lets the simulated generator take every queued command, so the channel holds the buffer
    // size the device chose.
    void RunQueue() {
        while (!channel().QueuedCommands().empty()) {
            channel().Poll();
        }
    }
    double ThdPercent() const {
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("THD: ([0-9.]+) %"))
                                                  .match(view->Spectrum()->Summary().text());
        EXPECT_TRUE(match.hasMatch()) << view->Spectrum()->Summary().text().toStdString();
        return match.captured(1).toDouble();
    }
    double HarmonicDbc(int k) const {
        const QTableWidget& table = view->Spectrum()->Table();
        EXPECT_EQ(table.item(k - 1, 0)->text(), QString::number(k));
        return table.item(k - 1, 1)->text().toDouble();
    }
};

TEST_F(SpectrumViewTest, SquareShowsOddHarmonicsAndItsThd) {
    channel().SetWaveType(Square);
    RunQueue();
    ASSERT_TRUE(view->Commands().Execute(kCmdSpectrum));
    ASSERT_NE(view->Spectrum(), nullptr);
    EXPECT_TRUE(view->Spectrum()->isVisible());
    // A square's harmonic k has 1/k of the fundamental: -9.54 dBc for k = 3; its THD is
    // sqrt(pi^2 / 8 - 1) = 48.3 %.
    EXPECT_NEAR(HarmonicDbc(1), 0.0, 1e-9);
    EXPECT_NEAR(HarmonicDbc(3), -9.54, 0.05);
    EXPECT_NEAR(HarmonicDbc(5), -13.98, 0.05);
    EXPECT_LT(HarmonicDbc(2), -60.0) << "no even harmonics at half duty";
    EXPECT_NEAR(ThdPercent(), 48.3, 0.5);
    EXPECT_TRUE(view->Spectrum()->Summary().text().contains(QStringLiteral("Quantisation floor")));
}

TEST_F(SpectrumViewTest, FollowsTheChannelButWorksOnlyWhenTheWaveChanges) {
    channel().SetWaveType(Square);
    RunQueue();
    ASSERT_TRUE(view->Commands().Execute(kCmdSpectrum));
    const int first = view->Spectrum()->Computations();
    view->TimerTick();
    view->TimerTick();
    EXPECT_EQ(view->Spectrum()->Computations(), first) << "nothing changed";

    channel().squareDuty = 0.25f;
    view->TimerTick();
    EXPECT_EQ(view->Spectrum()->Computations(), first + 1);
    // A quarter duty has a second harmonic of sin(pi/2) / (2 sin(pi/4)) = 0.707: -3.01 dBc.
    EXPECT_NEAR(HarmonicDbc(2), -3.01, 0.05);
}

TEST_F(SpectrumViewTest, SineIsCleanToTheQuantisationFloor) {
    channel().SetWaveType(Sine);
    RunQueue();
    ASSERT_TRUE(view->Commands().Execute(kCmdSpectrum));
    EXPECT_LT(ThdPercent(), 0.1);
    EXPECT_LT(HarmonicDbc(3), -60.0);
}

TEST_F(SpectrumViewTest, AnOpenSpectrumTakesANewLanguage) {
    channel().SetWaveType(Square);
    RunQueue();
    ASSERT_TRUE(view->Commands().Execute(kCmdSpectrum));
    EXPECT_EQ(view->Spectrum()->windowTitle(), QStringLiteral("Spectrum"));
    const test::TestLanguage german(
        {{2112, "Spektrum"}, {2113, "Klirrfaktor: %.3f %%"}, {2115, "Harmonische"}});
    view->Translate();
    EXPECT_EQ(view->Spectrum()->windowTitle(), QStringLiteral("Spektrum"));
    EXPECT_TRUE(view->Spectrum()->Summary().text().startsWith(QStringLiteral("Klirrfaktor: 48.")))
        << view->Spectrum()->Summary().text().toStdString();
    EXPECT_EQ(view->Spectrum()->Table().horizontalHeaderItem(0)->text(),
              QStringLiteral("Harmonische"));
}

}  // namespace
}  // namespace korvane
