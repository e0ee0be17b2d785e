// Every dialog takes its title and its control texts from the current language.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <memory>

#include "dialogs_fixture.h"
#include "document/control_id.h"
#include "i18n/language_table.h"
#include "test_language.h"
#include "view/dialogs/digital_io_dialogs.h"
#include "view/dialogs/points_edit_dialog.h"
#include "view/dialogs/wave_number_dialog.h"
#include "view/dialogs/wave_parameter_dialogs.h"

namespace korvane {
namespace {

// The language: one file whose texts are the key in brackets.
std::map<int, QByteArray> BracketedKeys() {
    std::map<int, QByteArray> texts;
    for (int key : {134, 135, 136, 138, 140, 141, 143, 144, 145, 1125, 1135, 1143, 1132, 1142, 1120,
                    2069, 2070, 1127}) {
        texts[key] = "[" + QByteArray::number(key) + "]";
    }
    return texts;
}

// Whether some child of `dialog` shows `text`.
bool Shows(const QWidget& dialog, const QString& text) {
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(child);
        const auto* button = qobject_cast<const QAbstractButton*>(child);
        const auto* group = qobject_cast<const QGroupBox*>(child);
        if ((label != nullptr && label->text() == text) ||
            (button != nullptr && button->text() == text) ||
            (group != nullptr && group->title() == text)) {
            return true;
        }
    }
    return false;
}

TEST(DialogLanguage, EveryDialogIsTitledAndLabelledByTheLanguage) {
    test::TestLanguage language(BracketedKeys());
    DocumentFixture fixture;
    ChannelState& channel = fixture.Channel();
    const struct {
        int type;
        const char* title;
        const char* control;
    } waveDialogs[] = {{Square, "[136]", "[1125]"},
                       {Ramp, "[138]", "[1125]"},
                       {Trapezia, "[141]", "[1135]"},
                       {Exponent, "[144]", "[1143]"},
                       {AmFm, "[140]", "[1132]"}};
    for (const auto& entry : waveDialogs) {
        std::unique_ptr<QDialog> dialog = MakeWaveParameterDialog(channel, entry.type, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QString::fromLatin1(entry.title));
        EXPECT_TRUE(Shows(*dialog, QString::fromLatin1(entry.control))) << entry.title;
    }
    WaveNumberDialog waveNumber(3);
    EXPECT_EQ(waveNumber.windowTitle(), QStringLiteral("[143]"));
    EXPECT_TRUE(Shows(waveNumber, QStringLiteral("[1142]")));
    EXPECT_TRUE(Shows(waveNumber, QStringLiteral("[1127]")));

    PointsEditDialog points(fixture.document, 0, {});
    EXPECT_EQ(points.windowTitle(), QStringLiteral("[135]"));
    EXPECT_TRUE(Shows(points, QStringLiteral("[1120]")));

    OutputSetDialog output(channel);
    EXPECT_EQ(output.windowTitle(), QStringLiteral("[134]"));
    EXPECT_TRUE(Shows(output, QStringLiteral("[2069]")));
    DigitalInputDialog input(channel);
    EXPECT_EQ(input.windowTitle(), QStringLiteral("[145]"));
    EXPECT_TRUE(Shows(input, QStringLiteral("[2070]")));
}

TEST(DialogLanguage, WithoutALanguageTheTemplateTextsStay) {
    DocumentFixture fixture;
    std::unique_ptr<QDialog> dialog = MakeWaveParameterDialog(fixture.Channel(), Square, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Square"));
    EXPECT_TRUE(Shows(*dialog, QStringLiteral("Duty:")));
}

}  // namespace
}  // namespace korvane
