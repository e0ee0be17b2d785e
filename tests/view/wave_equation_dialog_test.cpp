// The equation dialog driven as a user does: typing an expression shows the table at once or
// where the expression fails, values beyond the output are counted, and OK puts the table into
// the channel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "document/command_ids.h"
#include "view/dialogs/equation_dialog.h"
#include "view/dialogs/wave_preview.h"
#include "view_panel_fixture.h"

namespace korvane {
namespace {

class EquationDialogTest : public test::FrontPanelTest {
  protected:
    // Runs Edit > Equation...; `user` acts in the modal dialog while it is open.
    void EquationThroughMenu(std::function<void(EquationDialog&)> user) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<EquationDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "the dialog is open";
            seen = true;
            user(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        ASSERT_TRUE(view->Commands().Execute(kCmdEquation));
        EXPECT_TRUE(seen);
    }

    static void Type(QLineEdit& field, const char* text) {
        field.setFocus();
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, QString::fromLatin1(text));
    }
    static void Retype(QSpinBox& box, const char* text) {
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, QString::fromLatin1(text));
    }

    std::vector<float> Table() {
        return {channel().arbPoints.begin(), channel().arbPoints.begin() + channel().arbPointCount};
    }
};

struct ErrorCase {
    const char* name;
    const char* expression;
    const char* caretLine;  // the line under the expression
    const char* position;
};

class EquationErrorTest : public EquationDialogTest,
                          public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(EquationErrorTest, ShowsACaretUnderTheFailingPlaceAndRefusesOk) {
    QString shown;
    bool okEnabled = true;
    EquationThroughMenu([&](EquationDialog& dialog) {
        Type(dialog.Expression(), GetParam().expression);
        shown = dialog.ErrorText().text();
        okEnabled = dialog.OkButton().isEnabled();
    });
    const QStringList lines = shown.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3) << shown.toStdString();
    EXPECT_EQ(lines[0], QString::fromLatin1(GetParam().expression));
    EXPECT_EQ(lines[1], QString::fromLatin1(GetParam().caretLine));
    EXPECT_TRUE(lines[2].startsWith(QString::fromLatin1(GetParam().position)))
        << lines[2].toStdString();
    EXPECT_FALSE(okEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, EquationErrorTest,
    ::testing::Values(ErrorCase{"MissingParenthesis", "sin(2*pi*t", "          ^", "Position 10: "},
                      ErrorCase{"OperatorAfterOperator", "1+*t", "  ^", "Position 2: "},
                      ErrorCase{"UnknownName", "2*q+1", "  ^", "Position 2: "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EquationDialogTest, AValidExpressionIsPreviewedClippedAndAppliedOnOk) {
    QString status;
    std::size_t previewed = 0;
    EquationThroughMenu([&](EquationDialog& dialog) {
        Retype(dialog.PointCount(), "100");
        Type(dialog.Expression(), "5*sin(2*pi*t)");
        EXPECT_TRUE(dialog.ErrorText().text().isEmpty());
        status = dialog.Status().text();
        previewed = dialog.Preview().Points().size();
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(previewed, 100u);
    // 5 sin reaches beyond 3.5 V where |sin| > 0.7: points 13..37 and 63..87.
    EXPECT_EQ(status, QStringLiteral("50 of 100 points clipped to +/-3.5 V"));
    EXPECT_EQ(channel().waveType, Arbitrary);
    const std::vector<float> table = Table();
    ASSERT_EQ(table.size(), 100u);
    EXPECT_FLOAT_EQ(table[0], 0.0f);
    EXPECT_FLOAT_EQ(table[25], 3.5f);
    EXPECT_FLOAT_EQ(table[75], -3.5f);
    EXPECT_NEAR(table[5], 5.0 * std::sin(2.0 * 3.14159265358979 * 0.05), 1e-5);
}

TEST_F(EquationDialogTest, IndexAndCountFillTheTableAndKeepTheFrequency) {
    channel().SetFrequency(250.0);
    EquationThroughMenu([&](EquationDialog& dialog) {
        Retype(dialog.PointCount(), "8");
        Type(dialog.Expression(), "i/n");
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Table(),
              (std::vector<float>{0.0f, 0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 0.875f}));
    EXPECT_NEAR(channel().frequency.load(), 250.0, 1e-9);
}

TEST_F(EquationDialogTest, AnAppliedEquationIsOneUndoStep) {
    EquationThroughMenu([&](EquationDialog& dialog) {
        Retype(dialog.PointCount(), "4");
        Type(dialog.Expression(), "1");
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    const std::vector<float> ones = Table();
    ASSERT_EQ(ones, (std::vector<float>{1.0f, 1.0f, 1.0f, 1.0f}));
    EquationThroughMenu([&](EquationDialog& dialog) {
        Type(dialog.Expression(), "-1");
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    ClearQueue();
    ASSERT_TRUE(view->Commands().Execute(kCmdEditUndo));
    EXPECT_EQ(Table(), ones);
    EXPECT_EQ(Queue(), std::vector<int>{Download});
    ASSERT_TRUE(view->Commands().Execute(kCmdEditRedo));
    EXPECT_EQ(Table(), (std::vector<float>{-1.0f, -1.0f, -1.0f, -1.0f}));
}

}  // namespace
}  // namespace korvane
