// The dialogs' numeric fields as a bench user meets them: a decimal comma, a value out of range
// when the typing is done, and a field emptied on the way to a new number.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs_fixture.h"
#include "user_gestures.h"
#include "view/dialogs/am_fm_dialog.h"
#include "view/dialogs/duty_dialog.h"
#include "view/dialogs/exponent_dialog.h"
#include "view/dialogs/wave_number_dialog.h"
#include "view/entry/num_edit.h"

namespace korvane {
namespace {

using test::Retype;

// Clicks the dialog's push button with this text.
void Click(QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
}

class DialogEntries : public ::testing::Test {
  protected:
    ChannelState& Channel() { return fixture.Channel(); }
    DocumentFixture fixture{true};
};

TEST_F(DialogEntries, ADutyTypedWithACommaIsADecimal) {
    DutyDialog dialog(Channel(), DutyDialog::kSquare);
    dialog.show();
    Retype(dialog.Field(), QStringLiteral("0,3"));
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("0.3"));
    EXPECT_FLOAT_EQ(Channel().squareDuty, 0.3f);
}

TEST_F(DialogEntries, AnExponentTimeTypedWithACommaIsADecimal) {
    Channel().exponentUnit = 0;  // ms
    ExponentDialog dialog(Channel());
    dialog.show();
    Retype(dialog.Field(), QStringLiteral("2,5"));
    EXPECT_FLOAT_EQ(Channel().exponentTimeConstant, 0.0025f);
}

TEST_F(DialogEntries, AnAmDepthTypedWithACommaIsADecimal) {
    AmFmDialog dialog(Channel());
    dialog.show();
    Retype(dialog.DepthField(), QStringLiteral("0,5"));
    dialog.Apply();
    EXPECT_FLOAT_EQ(Channel().amDepth, 0.5f);
    EXPECT_TRUE(fixture.messages.isEmpty());
}

TEST_F(DialogEntries, ADutyBelowZeroIsShownAsZeroOnEnter) {
    Channel().squareDuty = 0.25f;
    DutyDialog dialog(Channel(), DutyDialog::kSquare);
    dialog.show();
    Retype(dialog.Field(), QStringLiteral("-5"));
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("-5"));  // as typed while typing
    EXPECT_FLOAT_EQ(Channel().squareDuty, 0.0f);
    QTest::keyClick(&dialog.Field(), Qt::Key_Return);
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("0.000"));
    EXPECT_FLOAT_EQ(Channel().squareDuty, 0.0f);
}

TEST_F(DialogEntries, AnExponentTimeBeyondOneSecondIsShownLimitedOnEnter) {
    Channel().exponentUnit = 0;  // ms
    ExponentDialog dialog(Channel());
    dialog.show();
    Retype(dialog.Field(), QStringLiteral("2000"));
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("2000"));
    QTest::keyClick(&dialog.Field(), Qt::Key_Return);
    EXPECT_EQ(dialog.Field().text(), QStringLiteral("1000.00000"));
    EXPECT_FLOAT_EQ(Channel().exponentTimeConstant, 1.0f);
}

TEST_F(DialogEntries, AnEmptiedWaveNumberSaysNothingWhileTyping) {
    WaveNumberDialog dialog(12);
    dialog.show();
    dialog.Field().selectAll();
    QTest::keyClick(&dialog.Field(), Qt::Key_Backspace);
    QTest::keyClicks(&dialog.Field(), QStringLiteral("7"));
    EXPECT_TRUE(fixture.messages.isEmpty());
    Click(dialog, QStringLiteral("OK"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Value(), 7);
}

TEST_F(DialogEntries, AWaveNumberThatIsNoIntegerIsRefusedOnceOnOkAndTheDialogStays) {
    WaveNumberDialog dialog(12);
    dialog.show();
    dialog.Field().selectAll();
    QTest::keyClick(&dialog.Field(), Qt::Key_Backspace);
    EXPECT_TRUE(fixture.messages.isEmpty());
    Click(dialog, QStringLiteral("OK"));
    EXPECT_EQ(fixture.messages, QStringList{NotAnIntegerText()});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Value(), 12);

    Retype(dialog.Field(), QStringLiteral("4x"));
    QTest::keyClick(&dialog.Field(), Qt::Key_Return);
    EXPECT_EQ(fixture.messages.size(), 2);
    EXPECT_TRUE(dialog.isVisible());

    Retype(dialog.Field(), QStringLiteral("40"));
    QTest::keyClick(&dialog.Field(), Qt::Key_Return);
    EXPECT_EQ(fixture.messages.size(), 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Value(), 40);
}

}  // namespace
}  // namespace korvane
