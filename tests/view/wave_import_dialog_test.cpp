// The import preview driven as a user does: File > Import... on a device window, reading what
// was detected, choosing the point count, column and scale, and OK putting the table into the
// channel.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>

#include "document/command_ids.h"
#include "document/user_message.h"
#include "formats/wave_import.h"
#include "support/temp_folder.h"
#include "view/arbitrary_commands.h"
#include "view/dialogs/import_dialog.h"
#include "view/dialogs/wave_preview.h"
#include "view_panel_fixture.h"

namespace korvane {
namespace {

QString DataFile(const char* name) {
    return QString::fromUtf8(KORVANE_FORMATS_DATA "/") + QString::fromUtf8(name);
}

// Types a new value into a spin box, as a user does.
void Retype(QAbstractSpinBox& box, const QString& text) {
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
    QTest::keyClick(&box, Qt::Key_Return);
}

class ImportPreviewTest : public test::FrontPanelTest {
  protected:
    // Runs File > Import... on `path`; `user` acts in the modal preview while it is open.
    void ImportThroughMenu(const QString& path, std::function<void(ImportDialog&)> user) {
        ScopedImportFileChooser chooser([path](QWidget*) { return path; });
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ImportDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "the preview is open";
            seen = true;
            user(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        ASSERT_TRUE(view->Commands().Execute(kCmdFileImport));
        EXPECT_TRUE(seen);
    }

    std::vector<float> Table() {
        return {channel().arbPoints.begin(), channel().arbPoints.begin() + channel().arbPointCount};
    }
};

TEST_F(ImportPreviewTest, GermanSpreadsheetShowsWhatWasFoundAndOkAppliesTheChosenPointCount) {
    channel().SetFrequency(1000.0);
    // A CSV file was opened before: Save would write to it.
    document.m_strFileName = QStringLiteral("earlier.csv");
    ClearQueue();
    QString detected;
    int firstCount = 0;
    ImportThroughMenu(DataFile("zeit_spannung.csv"), [&](ImportDialog& dialog) {
        detected = dialog.Detected().text();
        firstCount = dialog.PointCount().value();
        Retype(dialog.PointCount(), QStringLiteral("6"));
        EXPECT_EQ(dialog.Preview().Points().size(), 6u);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(detected.contains(QStringLiteral("Format: text"))) << detected.toStdString();
    EXPECT_TRUE(detected.contains(QStringLiteral("Separator: ;"))) << detected.toStdString();
    EXPECT_TRUE(detected.contains(QStringLiteral("Columns: 2"))) << detected.toStdString();
    EXPECT_TRUE(detected.contains(QStringLiteral("Header lines skipped: 1")));
    EXPECT_TRUE(detected.contains(QStringLiteral("Comment lines skipped: 2")));
    EXPECT_TRUE(detected.contains(QStringLiteral("Decimal comma")));
    EXPECT_TRUE(detected.contains(QStringLiteral("Values in file: 3")));
    EXPECT_EQ(firstCount, 3) << "the file's own count is offered first";

    EXPECT_EQ(channel().waveType, Arbitrary);
    // Three values interpolated to six points, the last running into the first.
    const std::vector<float> expected{0.5f, -0.375f, -1.25f, 0.375f, 2.0f, 1.25f};
    const std::vector<float> table = Table();
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_NEAR(table[k], expected[k], 1e-6) << "point " << k;
    }
    // The time column gives 1 ms per value: one period of three values lasts 3 ms.
    EXPECT_NEAR(channel().frequency.load(), 1000.0 / 3.0, 1e-3);
    EXPECT_EQ(document.m_strFileName, QString::fromLatin1(kNoCsvFileName))
        << "Save asks for a name instead of writing the imported table over another file";
    const std::vector<int> queued = Queue();
    EXPECT_NE(std::find(queued.begin(), queued.end(), 1), queued.end()) << "a download";
}

TEST_F(ImportPreviewTest, CancelLeavesTheChannelAsItWas) {
    const std::vector<float> before = Table();
    const int type = channel().waveType;
    ImportThroughMenu(DataFile("zeit_spannung.csv"), [](ImportDialog& dialog) {
        Retype(dialog.PointCount(), QStringLiteral("100"));
        dialog.reject();
    });
    EXPECT_EQ(channel().waveType, type);
    EXPECT_EQ(Table(), before);
}

TEST_F(ImportPreviewTest, NormalisedScaleReachesThePeakExactly) {
    ImportThroughMenu(DataFile("zeit_spannung.csv"), [](ImportDialog& dialog) {
        dialog.Scale().setFocus();
        QTest::keyClick(&dialog.Scale(), Qt::Key_Down);
        ASSERT_EQ(dialog.Scale().currentIndex(), 1);
        Retype(dialog.Peak(), QStringLiteral("1"));
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    const std::vector<float> table = Table();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_NEAR(table[0], 0.25f, 1e-6);
    EXPECT_NEAR(table[1], -0.625f, 1e-6);
    EXPECT_NEAR(table[2], 1.0f, 1e-6);
}

TEST_F(ImportPreviewTest, ValuesBeyondTheOutputAreReportedAndClipped) {
    testing::TempFolder folder;
    const auto path = folder.Write("loud.txt", "5\n-5\n1\n0\n");
    QString status;
    ImportThroughMenu(QString::fromStdString(path.string()), [&](ImportDialog& dialog) {
        status = dialog.Status().text();
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(status, QStringLiteral("2 of 4 points clipped to +/-3.5 V"));
    EXPECT_EQ(Table(), (std::vector<float>{3.5f, -3.5f, 1.0f, 0.0f}));
}

TEST_F(ImportPreviewTest, StereoSoundOffersItsChannelsAndItsFullScale) {
    testing::TempFolder folder;
    const std::filesystem::path path = folder.path() / "stereo.wav";
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* sound = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(sound, nullptr);
    const std::vector<float> frames{0.5f, -1.0f, 0.25f, 0.5f, 0.0f, 0.0f, -0.5f, 1.0f};
    sf_writef_float(sound, frames.data(), 4);
    sf_close(sound);
    QString detected;
    ImportThroughMenu(QString::fromStdString(path.string()), [&](ImportDialog& dialog) {
        EXPECT_EQ(dialog.Column().maximum(), 2);
        EXPECT_EQ(dialog.FullScale().value(), 3.5) << "sample value 1 is 3.5 V at first";
        Retype(dialog.Column(), QStringLiteral("2"));
        Retype(dialog.FullScale(), QStringLiteral("2"));
        detected = dialog.Detected().text();
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(detected.contains(QStringLiteral("Channels: 2"))) << detected.toStdString();
    EXPECT_EQ(Table(), (std::vector<float>{-2.0f, 1.0f, 0.0f, 2.0f}));
    EXPECT_NEAR(channel().frequency.load(), 2000.0, 1e-6) << "four frames at 8 kHz";
}

TEST_F(ImportPreviewTest, AFileThatCannotBeReadIsNamedWithItsLineAndNoPreviewOpens) {
    QStringList messages;
    ScopedMessageSink sink([&](QWidget*, const QString& text) { messages << text; });
    ScopedImportFileChooser chooser([](QWidget*) { return DataFile("text_in_middle.csv"); });
    const std::vector<float> before = Table();
    ASSERT_TRUE(view->Commands().Execute(kCmdFileImport));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.front(), DataFile("text_in_middle.csv") +
                                    QStringLiteral(":4: expected a number, found \"oops\" in "
                                                   "column 2"));
    EXPECT_EQ(Table(), before);
}

}  // namespace
}  // namespace korvane
