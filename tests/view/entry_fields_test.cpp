// The numeric entry fields driven as a user drives them: typing, shortcuts, double clicks and
// leaving the field.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "engine/wave_type.h"
#include "user_gestures.h"
#include "view/entry/num_edit.h"
#include "view/entry/step_edit.h"

namespace korvane {
namespace {

using test::DoubleClickCharacter;

// A shown, active window holding the field under test and a second field to move the focus to.
template <typename Field>
struct FieldWindow {
    FieldWindow() {
        auto* layout = new QVBoxLayout(&window);
        field = new Field(&window);
        other = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
    }
    QWidget window;
    Field* field;
    QLineEdit* other;
};

// Wires the field as a wave-parameter dialog does: every change is parsed at once.
struct DialogField : FieldWindow<CNumEdit> {
    DialogField() {
        QObject::connect(field, &QLineEdit::textChanged, field, [this] { field->Parse(); });
    }
};

TEST(CNumEdit, ATypedValueAboveTheBoundIsLimitedButShownAsTypedUntilTheFieldIsLeft) {
    DialogField dialog;
    QTest::keyClicks(dialog.field, "1.7");
    EXPECT_EQ(dialog.field->text(), "1.7");
    EXPECT_DOUBLE_EQ(dialog.field->GetValue(), 1.0);

    QTest::keyClick(dialog.field, Qt::Key_Tab);
    ASSERT_TRUE(dialog.other->hasFocus());
    EXPECT_EQ(dialog.field->text(), "1.000");
}

TEST(CNumEdit, LettersAndOtherCharactersAreDropped) {
    DialogField dialog;
    QTest::keyClicks(dialog.field, "0a.5 x");
    EXPECT_EQ(dialog.field->text(), "0.5");
    EXPECT_DOUBLE_EQ(dialog.field->GetValue(), 0.5);
    QTest::keyClick(dialog.field, Qt::Key_Backspace);
    EXPECT_EQ(dialog.field->text(), "0.");
}

TEST(CNumEdit, ClipboardShortcutsDoNothing) {
    DialogField dialog;
    QApplication::clipboard()->setText("0.25");
    QTest::keyClicks(dialog.field, "0.75");
    QTest::keyClick(dialog.field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialog.field->text(), "0.75");
    QTest::keyClick(dialog.field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(dialog.field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(dialog.field->text(), "0.75");
    EXPECT_EQ(QApplication::clipboard()->text(), "0.25");
}

TEST(CNumEdit, ATypedCommaIsADecimalPoint) {
    DialogField dialog;
    QTest::keyClicks(dialog.field, "0,25");
    EXPECT_EQ(dialog.field->text(), "0.25");
    EXPECT_DOUBLE_EQ(dialog.field->GetValue(), 0.25);
}

TEST(CNumEdit, EnterShowsTheLimitedValue) {
    DialogField dialog;
    QTest::keyClicks(dialog.field, "-5");
    EXPECT_EQ(dialog.field->text(), "-5");
    QTest::keyClick(dialog.field, Qt::Key_Return);
    EXPECT_EQ(dialog.field->text(), "0.000");
    EXPECT_DOUBLE_EQ(dialog.field->GetValue(), 0.0);
}

// A field in thousandths keeps a text within its bounds as typed, but not one beyond them.
TEST(CNumEdit, AFieldInThousandthsShowsAValueBeyondItsBoundsLimitedOnLeaving) {
    DialogField dialog;
    dialog.field->m_bFixedUnit = 0;
    dialog.field->m_bBaseUnit = 0;
    dialog.field->m_nDecimals = 8;
    QTest::keyClicks(dialog.field, "1500");
    QTest::keyClick(dialog.field, Qt::Key_Tab);
    ASSERT_TRUE(dialog.other->hasFocus());
    EXPECT_EQ(dialog.field->text(), "1000.00000");
    EXPECT_DOUBLE_EQ(dialog.field->GetValue(), 1.0);
}

TEST(CNumEdit, CtrlASelectsTheTextAndCtrlCCopiesIt) {
    DialogField dialog;
    QApplication::clipboard()->setText("before");
    QTest::keyClicks(dialog.field, "0.75");
    QTest::keyClick(dialog.field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(dialog.field->selectedText(), "0.75");
    QTest::keyClick(dialog.field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "0.75");
    EXPECT_EQ(dialog.field->text(), "0.75");
}

TEST(CNumEdit, AFieldInThousandthsShowsThreeDecimalsFewerAndKeepsItsTextOnLeaving) {
    DialogField dialog;
    dialog.field->m_bFixedUnit = 0;
    dialog.field->m_bBaseUnit = 0;
    dialog.field->m_nDecimals = 8;
    dialog.field->SetValue(0.002f, true);
    EXPECT_EQ(dialog.field->text(), "2.00000");
    EXPECT_NEAR(dialog.field->GetValue(), 0.002, 1e-9);

    dialog.field->selectAll();
    QTest::keyClicks(dialog.field, "0.5");
    QTest::keyClick(dialog.field, Qt::Key_Tab);
    EXPECT_EQ(dialog.field->text(), "0.5");  // no reformatting without a fixed unit
    EXPECT_NEAR(dialog.field->GetValue(), 0.0005, 1e-9);
}

TEST(CNumEdit, SetValueWithoutShowLeavesTheText) {
    DialogField dialog;
    QTest::keyClicks(dialog.field, "0.3");
    dialog.field->SetValue(0.9f, false);
    EXPECT_EQ(dialog.field->text(), "0.3");
    EXPECT_FLOAT_EQ(static_cast<float>(dialog.field->GetValue()), 0.9f);
}

struct PanelField : FieldWindow<CStepEdit> {};

TEST(CStepEdit, ADoubleClickOnADigitSelectsItAndSetsTheStep) {
    PanelField panel;
    panel.field->m_nKind = PhaseEntry;
    panel.field->setText("12.345");
    for (int nudge : {-1, +1}) {
        DoubleClickCharacter(*panel.field, 5, nudge);
        EXPECT_FLOAT_EQ(panel.field->m_fStep, 0.001f) << "nudge " << nudge;
        EXPECT_EQ(panel.field->selectedText(), "5");
        EXPECT_FLOAT_EQ(panel.field->m_fCaret, 5.0f);
    }
    DoubleClickCharacter(*panel.field, 0, +1);
    EXPECT_FLOAT_EQ(panel.field->m_fStep, 10.0f);
    EXPECT_EQ(panel.field->selectedText(), "1");
    DoubleClickCharacter(*panel.field, 2, 0);  // the point: the digit after it
    EXPECT_FLOAT_EQ(panel.field->m_fStep, 0.1f);
    EXPECT_EQ(panel.field->selectedText(), "3");
}

TEST(CStepEdit, ADoubleClickPastTheEndTakesTheLastDigit) {
    PanelField panel;
    panel.field->setText("2500");
    QTest::mouseDClick(panel.field, Qt::LeftButton, Qt::NoModifier,
                       QPoint(panel.field->width() - 3, panel.field->height() / 2));
    EXPECT_FLOAT_EQ(panel.field->m_fStep, 1.0f);
    EXPECT_EQ(panel.field->selectedText(), "0");
    EXPECT_EQ(panel.field->selectionStart(), 3);
}

TEST(CStepEdit, StepsByTheChosenDigitAndShowsTheResult) {
    PanelField panel;
    panel.field->SetValue(1000.0);
    panel.field->ShowValue();
    EXPECT_EQ(panel.field->text(), "1000.000");
    DoubleClickCharacter(*panel.field, 1, 1);  // the hundreds
    panel.field->Step(+1);
    EXPECT_EQ(panel.field->text(), "1100.000");
    panel.field->Step(-3);
    EXPECT_EQ(panel.field->text(), "800.000");
}

TEST(CStepEdit, TheFrequencyLimitFollowsTheWaveType) {
    PanelField panel;
    int waveType = Sine;
    panel.field->SetWaveTypeSource([&waveType] { return waveType; });
    panel.field->m_nFreqUnit = 2;
    panel.field->SetValue(30e6);
    panel.field->ShowValue();
    EXPECT_EQ(panel.field->text(), "30.000000");
    waveType = Square;
    panel.field->SetValue(30e6);
    panel.field->ShowValue();
    EXPECT_EQ(panel.field->text(), "25.000000");
    panel.field->SetValue(80e6);
    EXPECT_DOUBLE_EQ(panel.field->GetValue(), 25e6);
}

TEST(CStepEdit, SteppingOneHertzDownStopsAtTheLowerLimit) {
    PanelField panel;
    panel.field->SetValue(1.0);
    panel.field->Step(-1);
    EXPECT_FLOAT_EQ(panel.field->m_fStep, 0.1f);
    EXPECT_EQ(panel.field->text(), "1.000");
}

TEST(CStepEdit, AVoltFieldShowsMillivoltsOnRequest) {
    PanelField panel;
    panel.field->m_nKind = OffsetEntry;
    panel.field->SetValue(-0.25);
    panel.field->m_nVoltUnit = 0;
    panel.field->ShowValue();
    EXPECT_EQ(panel.field->text(), "-250.000");
    panel.field->m_nVoltUnit = 1;
    panel.field->ShowValue();
    EXPECT_EQ(panel.field->text(), "-0.250");
}

TEST(CStepEdit, ATypedCommaIsADecimalPoint) {
    PanelField panel;
    QTest::keyClicks(panel.field, "1,5");
    EXPECT_EQ(panel.field->text(), "1.5");
}

TEST(CStepEdit, CtrlASelectsTheTextAndCtrlCCopiesTheSelection) {
    PanelField panel;
    QApplication::clipboard()->setText("before");
    QTest::keyClicks(panel.field, "12.5");
    QTest::keyClick(panel.field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(panel.field->selectedText(), "12.5");
    panel.field->setSelection(1, 2);
    QTest::keyClick(panel.field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "2.");
    EXPECT_EQ(panel.field->text(), "12.5");
}

TEST(CStepEdit, TypingKeepsOnlyTheCharactersOfANumber) {
    PanelField panel;
    QTest::keyClicks(panel.field, "+1k2.5e3");
    EXPECT_EQ(panel.field->text(), "+12.53");
    QTest::keyClick(panel.field, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(panel.field, Qt::Key_Left);
    QTest::keyClick(panel.field, Qt::Key_Delete);
    EXPECT_EQ(panel.field->text(), "+12.5");
}

}  // namespace
}  // namespace korvane
