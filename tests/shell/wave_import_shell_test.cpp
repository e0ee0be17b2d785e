// Import, equation and spectrum in the program: their menu items in every shipped language, and
// a wave dropped on the frame going to the import preview while the program's own CSV files
// open as before.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include "document/command_ids.h"
#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "shell_fixture.h"
#include "view/dialogs/import_dialog.h"

namespace korvane {
namespace {

QString ItemText(CMainFrame& frame, int menu, int item) {
    const QList<QAction*> bar = frame.GetActiveMenu()->actions();
    if (menu >= bar.size() || bar[menu]->menu() == nullptr) {
        return {};
    }
    const QList<QAction*> items = bar[menu]->menu()->actions();
    return item < items.size() ? items[item]->text() : QString();
}

void Drop(CMainFrame& frame, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint inside = frame.rect().center();
    QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(inside), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
}

struct MenuCase {
    int language;  // -1: the built-in English
    const char* import;
    const char* equation;
    const char* spectrum;
};

class NewMenuItems : public ::testing::TestWithParam<MenuCase> {};

TEST_P(NewMenuItems, StandBelowFileEditAndDisplayInTheChosenLanguage) {
    ProgramUnderTest program(0);
    program.WriteFile(QStringLiteral("language/Deutsch.lug"), ShippedLanguageFile("Deutsch.lug"));
    program.WriteFile(QStringLiteral("language/\u7B80\u4F53\u4E2D\u6587.lug"),
                      ShippedLanguageFile("\u7B80\u4F53\u4E2D\u6587.lug"));
    ASSERT_TRUE(program.Start());
    if (GetParam().language >= 0) {
        ASSERT_TRUE(program.ChooseMenuCommand(kCmdFirstLanguage + GetParam().language));
    }
    CMainFrame& frame = program.Frame();
    EXPECT_EQ(ItemText(frame, 0, 4), QString::fromUtf8(GetParam().import));
    EXPECT_EQ(ItemText(frame, 1, 3), QString::fromUtf8(GetParam().equation));
    EXPECT_EQ(ItemText(frame, 4, 7), QString::fromUtf8(GetParam().spectrum));
    // The items after the new one keep their texts.
    EXPECT_FALSE(ItemText(frame, 0, 12).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Languages, NewMenuItems,
    ::testing::Values(MenuCase{-1, "&Import...", "Equation...", "Spectrum..."},
                      MenuCase{0, "&Importieren...", "Gleichung...", "Spektrum..."},
                      MenuCase{1, "\u5BFC\u5165(&I)...", "\u516C\u5F0F...", "\u9891\u8C31..."}),
    [](const auto& info) {
        return info.param.language < 0 ? std::string("English")
                                       : "Language" + std::to_string(info.param.language);
    });

TEST(DroppedWave, ATextWaveGoesToThePreviewOfTheDeviceWindowAndOkAppliesIt) {
    ProgramUnderTest program(0);
    ASSERT_TRUE(program.Start());
    program.WriteFile(QStringLiteral("scope.csv"), "time,volts\n0,1.5\n0.5,-1.5\n");
    QString detected;
    program.responder.onOtherDialog = [&](QDialog& dialog) {
        if (auto* preview = qobject_cast<ImportDialog*>(&dialog)) {
            detected = preview->Detected().text();
            preview->accept();
        } else {
            dialog.reject();
        }
    };
    Drop(program.Frame(), program.ProgramDir() + QStringLiteral("/scope.csv"));
    // The preview opens once the drop has ended.
    for (int round = 0; round < 100 && detected.isEmpty(); ++round) {
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(detected.contains(QStringLiteral("Separator: ,"))) << detected.toStdString();
    ASSERT_EQ(program.Frame().GetDeviceCount(), 1) << "no new window";
    const ChannelState& channel = *program.Device(0).m_pState;
    EXPECT_EQ(channel.waveType, Arbitrary);
    ASSERT_EQ(channel.arbPointCount, 2);
    EXPECT_FLOAT_EQ(channel.arbPoints[0], 1.5f);
    EXPECT_FLOAT_EQ(channel.arbPoints[1], -1.5f);
    EXPECT_NEAR(channel.frequency.load(), 1.0, 1e-9) << "two values 0.5 s apart";
}

}  // namespace
}  // namespace korvane
