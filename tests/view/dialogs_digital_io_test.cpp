// The Output Set and Digital Input dialogs against a simulated generator.
#include <gtest/gtest.h>

#include <QTest>

#include "dialogs_fixture.h"
#include "view/dialogs/digital_io_dialogs.h"
#include "view/dialogs/pin_button.h"

namespace korvane {
namespace {

class DigitalIoTest : public ::testing::Test {
  protected:
    ChannelState& Channel() { return fixture.Channel(); }
    DocumentFixture fixture{true};
};

TEST_F(DigitalIoTest, PinsShowTheOutputWordWhenOpened) {
    Channel().digitalOut = 0x0A5;
    OutputSetDialog dialog(Channel());
    for (int k = 0; k < OutputSetDialog::kPinCount; ++k) {
        const bool high = ((0x0A5 >> k) & 1) != 0;
        EXPECT_EQ(dialog.Pin(k).text(), high ? QStringLiteral("H") : QStringLiteral("L")) << k;
        EXPECT_EQ(dialog.Pin(k).isChecked(), high) << k;
    }
    EXPECT_TRUE(dialog.Timer().isActive());
    EXPECT_EQ(dialog.Timer().interval(), 300);
}

TEST_F(DigitalIoTest, PinsO0AndOBHighReachTheGenerator) {
    OutputSetDialog dialog(Channel());
    dialog.show();
    QTest::mouseClick(&dialog.Pin(0), Qt::LeftButton);
    QTest::mouseClick(&dialog.Pin(11), Qt::LeftButton);
    EXPECT_EQ(dialog.Pin(0).text(), QStringLiteral("H"));
    EXPECT_EQ(Channel().digitalOut, 0);  // the word follows with the next period
    dialog.WriteOutputWord();
    EXPECT_EQ(Channel().digitalOut, 0x801);
    Channel().Poll();
    EXPECT_EQ(fixture.library.Device(0).digitalOut, 0x801u);
}

TEST_F(DigitalIoTest, AHiddenOutputSetKeepsWritingItsKeys) {
    OutputSetDialog dialog(Channel());
    dialog.show();
    QTest::mouseClick(&dialog.Pin(3), Qt::LeftButton);
    dialog.hide();
    EXPECT_TRUE(dialog.Timer().isActive());
    dialog.WriteOutputWord();
    EXPECT_EQ(Channel().digitalOut, 0x008);
}

TEST_F(DigitalIoTest, AWordWrittenElsewhereIsTakenOverByTheKeys) {
    OutputSetDialog dialog(Channel());
    dialog.show();
    QTest::mouseClick(&dialog.Pin(3), Qt::LeftButton);
    dialog.WriteOutputWord();
    ASSERT_EQ(Channel().digitalOut, 0x008);

    Channel().digitalOut = 0x0F1;  // a remote client's word
    dialog.WriteOutputWord();
    EXPECT_EQ(Channel().digitalOut, 0x0F1);
    EXPECT_EQ(dialog.Pin(0).text(), QStringLiteral("H"));
    EXPECT_EQ(dialog.Pin(3).text(), QStringLiteral("L"));

    // The keys own the word again from there on.
    QTest::mouseClick(&dialog.Pin(11), Qt::LeftButton);
    dialog.WriteOutputWord();
    EXPECT_EQ(Channel().digitalOut, 0x8F1);
}

TEST_F(DigitalIoTest, ClickingAPinTwiceSetsItLowAgain) {
    OutputSetDialog dialog(Channel());
    dialog.show();
    QTest::mouseClick(&dialog.Pin(5), Qt::LeftButton);
    QTest::mouseClick(&dialog.Pin(5), Qt::LeftButton);
    EXPECT_EQ(dialog.Pin(5).text(), QStringLiteral("L"));
    EXPECT_FALSE(dialog.Pin(5).isChecked());
}

TEST_F(DigitalIoTest, TheLoopBackShowsI0High) {
    OutputSetDialog output(Channel());
    DigitalInputDialog input(Channel());
    input.show();
    EXPECT_EQ(input.Indicator(2).text(), QStringLiteral("L"));
    QTest::mouseClick(&output.Pin(0), Qt::LeftButton);
    output.WriteOutputWord();
    Channel().Poll();  // writes O0, reads it back on I0
    EXPECT_EQ(Channel().digitalIn & 0x3C, 0x04);
    input.ReadInputWord();
    EXPECT_EQ(input.Indicator(2).text(), QStringLiteral("H"));
    for (int bit : {3, 4, 5}) {
        EXPECT_EQ(input.Indicator(bit).text(), QStringLiteral("L")) << bit;
    }
}

TEST_F(DigitalIoTest, InputBitsTwoAndFiveShowI0AndI3) {
    Channel().digitalIn = 0x24;
    DigitalInputDialog input(Channel());
    input.show();
    const char* expected[] = {"L", "L", "H", "L", "L", "H"};
    for (int bit = 0; bit < DigitalInputDialog::kBitCount; ++bit) {
        EXPECT_EQ(input.Indicator(bit).text(), QString::fromLatin1(expected[bit])) << bit;
    }
    EXPECT_FALSE(input.Indicator(0).isVisible());
    EXPECT_FALSE(input.Indicator(1).isVisible());
    EXPECT_TRUE(input.Indicator(2).isVisible());
}

TEST_F(DigitalIoTest, ClickingAnInputIndicatorDoesNothing) {
    DigitalInputDialog input(Channel());
    input.show();
    QTest::mouseClick(&input.Indicator(4), Qt::LeftButton);
    EXPECT_EQ(input.Indicator(4).text(), QStringLiteral("L"));
    EXPECT_FALSE(input.Indicator(4).isChecked());
}

TEST_F(DigitalIoTest, OkOnlyHidesTheDialogs) {
    OutputSetDialog dialog(Channel());
    dialog.show();
    auto* ok = dialog.findChild<QPushButton*>();
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (qobject_cast<PinButton*>(button) == nullptr) {
            ok = button;
        }
    }
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.Timer().isActive());
}

}  // namespace
}  // namespace korvane
