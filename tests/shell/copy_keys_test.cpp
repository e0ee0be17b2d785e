// The clipboard keys of the main window copy the display, wherever the keyboard focus is on the
// panel, as the toolbar's copy button does; only text selected in an entry field is copied as
// text instead.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>

#include "document/multi_tessel_doc.h"
#include "shell_fixture.h"
#include "view/controls/on_off.h"
#include "view/entry/step_edit.h"
#include "view/multi_tessel_view.h"
#include "view/wave_display.h"

namespace korvane {
namespace {

struct CopyKey {
    const char* name;
    Qt::Key key;
};

class CopyKeysTest : public ::testing::TestWithParam<CopyKey> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program.Start());
        program.Frame().activateWindow();
        QApplication::setActiveWindow(&program.Frame());
        view = dynamic_cast<CMultiTesselView*>(program.Device(0).View());
        ASSERT_NE(view, nullptr);
    }
    // Presses the key on the focused widget and tells whether the display reached the clipboard.
    bool CopiesFrom(QWidget& focus) {
        focus.setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&focus, GetParam().key, Qt::ControlModifier);
        const QImage picture = QGuiApplication::clipboard()->image();
        return !picture.isNull() && picture.size() == view->Display().size();
    }

    ProgramUnderTest program{1};
    CMultiTesselView* view = nullptr;
};

TEST_P(CopyKeysTest, CopyTheDisplayFromAnEntryField) {
    EXPECT_TRUE(CopiesFrom(*view->Form().frequency));
    EXPECT_TRUE(CopiesFrom(*view->Form().amplitude));
}

TEST_P(CopyKeysTest, CopyTheDisplayFromAPanelKey) {
    EXPECT_TRUE(CopiesFrom(*view->Form().waveKeys[0]));
}

TEST_P(CopyKeysTest, LeaveTheEntryFieldsTextAlone) {
    QLineEdit& field = *view->Form().frequency;
    const QString before = field.text();
    CopiesFrom(field);
    EXPECT_EQ(field.text(), before);
}

// With text selected in a field the key copies that text, as in any text field.
TEST_P(CopyKeysTest, CopyTheSelectedTextOfAnEntryField) {
    QLineEdit& field = *view->Form().frequency;
    field.setFocus();
    field.selectAll();
    const QString shown = field.text();
    ASSERT_FALSE(shown.isEmpty());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&field, GetParam().key, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
    EXPECT_EQ(field.text(), shown);
}

INSTANTIATE_TEST_SUITE_P(Keys, CopyKeysTest,
                         ::testing::Values(CopyKey{"CtrlC", Qt::Key_C},
                                           CopyKey{"CtrlInsert", Qt::Key_Insert}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane
