// How the panel starts from its channel, how it is translated, and that two device windows do
// not disturb each other's knobs.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "document/command_ids.h"
#include "document/control_id.h"
#include "document/csv_commands.h"
#include "i18n/language_table.h"
#include "test_language.h"
#include "view/controls/led.h"
#include "view/controls/left_right.h"
#include "view/controls/turn_button.h"
#include "view/dialogs/digital_io_dialogs.h"
#include "view/sweep_dialog.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

// A panel opened on a channel whose fields were changed before it opened.
TEST(PanelStartTest, EveryKeySwitchAndFieldStartsFromTheChannel) {
    SimulatedDeviceLibrary library{1};
    CMultiTesselDoc document;
    document.CreateState(library);
    ChannelState& channel = *document.m_pState;
    channel.singleWave = 1;
    channel.measureFrequency = 0;
    channel.outputOn = 0;
    channel.triggerEdge = 1;
    channel.frequency = 2500.0;
    channel.offset = -1.5;
    channel.waveType = Arbitrary;

    CMultiTesselView view(document, nullptr);
    document.SetView(&view);
    view.resize(860, 480);
    view.InitialUpdate();
    const PanelForm& form = view.Form();
    EXPECT_TRUE(form.singleWave.key->Value());
    EXPECT_TRUE(form.singleWave.lamp->Value());
    EXPECT_TRUE(form.measureMode->Value());
    EXPECT_FALSE(form.outputOn.key->Value());
    EXPECT_FALSE(form.outputOn.lamp->Value());
    EXPECT_TRUE(form.triggerEdge->Value());
    EXPECT_EQ(form.frequency->text(), "2500.000");
    EXPECT_EQ(form.offset->text(), "-1.500");
    EXPECT_EQ(form.amplitude->text(), "2.000");
    // An arbitrary channel opens as a sine: its points are not kept with the panel.
    EXPECT_EQ(channel.waveType, Sine);
    EXPECT_TRUE(form.waveKeys[Sine]->Value());
    EXPECT_FALSE(form.waveKeys[Arbitrary]->Value());
    document.SetView(nullptr);
}

QLabel* LabelWithId(QWidget& view, int id) {
    for (QLabel* label : view.findChildren<QLabel*>()) {
        if (ControlId(*label) == id) {
            return label;
        }
    }
    return nullptr;
}

TEST_F(FrontPanelTest, LabelsStartInTheBuiltInLanguageAndFollowTheLanguageTable) {
    ASSERT_NE(LabelWithId(*view, 1104), nullptr);
    EXPECT_EQ(LabelWithId(*view, 1104)->text(), "Sine");
    EXPECT_EQ(LabelWithId(*view, 1103)->text(), "GauseNoise");
    EXPECT_EQ(LabelWithId(*view, 1244)->text(), "F/C ON/OFF");
    EXPECT_EQ(LabelWithId(*view, 1111)->text(), "Frequency");

    // A language that names every control by its id shows which widgets it reaches.
    constexpr int kPanelLabels[] = {1104, 1097, 1101, 1099, 1102, 1098, 1053, 1103,
                                    1105, 1106, 1252, 1107, 1242, 1243, 1244, 1108,
                                    1110, 1111, 1112, 1113, 1114, 1115, 1062};
    std::map<int, QByteArray> names;
    for (int id : kPanelLabels) {
        names[id] = "T" + QByteArray::number(id);
    }
    names[2002] = "T2002";  // the display's cursor label
    {
        test::TestLanguage language(names);
        view->Translate();
    }
    for (int id : kPanelLabels) {
        ASSERT_NE(LabelWithId(*view, id), nullptr) << id;
        EXPECT_EQ(LabelWithId(*view, id)->text(), QStringLiteral("T%1").arg(id));
    }
    EXPECT_EQ(view->Display().CursorLabel(), "T2002");
}

// Each knob remembers its own last angle: a turn in one window is no turn in another.
TEST_F(FrontPanelTest, AKnobTurnedInOneWindowLeavesTheOtherWindowsKnobAlone) {
    CMultiTesselDoc otherDocument;
    otherDocument.CreateState(library);
    CMultiTesselView other(otherDocument, nullptr);
    otherDocument.SetView(&other);
    other.resize(860, 480);
    other.InitialUpdate();

    CTurnButton& knob = *form().frequencyKnob;
    const QPoint top(knob.width() / 2, 5);
    const QPoint right(knob.width() - 5, knob.height() / 2);
    QTest::mousePress(&knob, Qt::LeftButton, Qt::NoModifier, top);
    QTest::mouseMove(&knob, right);
    QTest::mouseRelease(&knob, Qt::LeftButton, Qt::NoModifier, right);
    ASSERT_GT(form().frequency->GetValue(), 1000.0);

    // A press without a turn on the other window's knob.
    CTurnButton& otherKnob = *other.Form().frequencyKnob;
    QTest::mousePress(&otherKnob, Qt::LeftButton, Qt::NoModifier, top);
    QTest::mouseRelease(&otherKnob, Qt::LeftButton, Qt::NoModifier, top);
    EXPECT_DOUBLE_EQ(other.Form().frequency->GetValue(), 1000.0);
    EXPECT_DOUBLE_EQ(otherDocument.m_pState->frequency, 1000.0);
    otherDocument.SetView(nullptr);
}

// The document changes the channel, never the window: a file opened through it shows on the
// panel (wave key, slider, frequency, file name) at the panel's next refresh.
TEST_F(FrontPanelTest, AFileOpenedThroughTheDocumentShowsAtTheNextRefresh) {
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("two.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#CLOCK=24690.000000\r\n#SIZE=2\r\n1.000000,0,0\r\n-1.000000,0,0\r\n");
    file.close();
    ImportCsv(document, path);
    EXPECT_EQ(channel().waveType, Arbitrary);
    EXPECT_FALSE(form().waveKeys[Arbitrary]->Value());  // not before the refresh
    view->TimerTick();
    EXPECT_TRUE(form().waveKeys[Arbitrary]->Value());
    EXPECT_FALSE(form().waveKeys[Sine]->Value());
    EXPECT_TRUE(view->Slider().isVisibleTo(view.get()));
    EXPECT_EQ(form().frequency->text(), "12345.000");
    EXPECT_EQ(channel().arbPointCount, 2);  // the file's table, not the sine's points
    EXPECT_EQ(document.m_strFileName, QStringLiteral("two.csv"));
}

TEST_F(FrontPanelTest, DigitalDialogsAreMadeOnceAndShownAgain) {
    RouteCommand({&view->Commands()}, kCmdOutputSet);
    auto* outputSet = view->findChild<OutputSetDialog*>();
    ASSERT_NE(outputSet, nullptr);
    EXPECT_TRUE(outputSet->isVisible());
    outputSet->hide();
    RouteCommand({&view->Commands()}, kCmdOutputSet);
    EXPECT_EQ(view->findChildren<OutputSetDialog*>().size(), 1);
    EXPECT_TRUE(outputSet->isVisible());

    RouteCommand({&view->Commands()}, kCmdDigitalInput);
    auto* digitalInput = view->findChild<DigitalInputDialog*>();
    ASSERT_NE(digitalInput, nullptr);
    EXPECT_TRUE(digitalInput->isVisible());
}

TEST_F(FrontPanelTest, SweepOpensTheSweepDialogAndRestoresTheChannelAfter) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<SweepDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            QTest::mouseClick(&dialog->OnButton(), Qt::LeftButton);  // a sweep runs
            dialog->reject();
        }
    });
    RouteCommand({&view->Commands()}, kCmdSweep);
    EXPECT_TRUE(opened);
    // Closing switched the sweep off: the worker's next cycle sends the whole configuration
    // (frequency included) and the buffer queued here.
    EXPECT_EQ(channel().sweepOn, 0);
    EXPECT_EQ(channel().sweepRestorePending, 1);
    const std::vector<int> queue = Queue();
    EXPECT_NE(std::find(queue.begin(), queue.end(), Download), queue.end());
}

}  // namespace
}  // namespace korvane::test
