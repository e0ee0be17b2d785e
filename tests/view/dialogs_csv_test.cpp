// The CSV commands of a device window: open, save and save as, with the file names supplied the
// way the file dialogs would.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <algorithm>

#include "dialogs_fixture.h"
#include "document/csv_commands.h"
#include "engine/synthesis.h"

namespace korvane {
namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromLatin1(file.readAll());
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Answers every file dialog with the next name of a list and records which dialogs were asked.
struct ScriptedChooser {
    QStringList answers;
    QList<CsvFileDialog> asked;
    ScopedCsvFileChooser scope{[this](QWidget*, CsvFileDialog kind) {
        asked.append(kind);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }};
};

class CsvCommandsTest : public ::testing::Test {
  protected:
    QString PathOf(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    DocumentFixture fixture{true};
    ScriptedChooser chooser;
};

TEST_F(CsvCommandsTest, OpenEditSaveReopenGivesTheSamePoints) {
    WriteText(PathOf("wave.csv"),
              "#CLOCK=4000.000000\r\n#SIZE=4\r\n0.500000,0,0\r\n-1.250000,0,0\r\n"
              "2.000000,0,0\r\n0.000000,0,0\r\n");
    chooser.answers = {PathOf("wave.csv")};
    OnFileOpen(fixture.document);
    ChannelState& channel = fixture.Channel();
    ASSERT_EQ(channel.arbPointCount, 4);
    EXPECT_EQ(channel.waveType, Arbitrary);
    EXPECT_DOUBLE_EQ(channel.frequency, 1000.0);
    EXPECT_EQ(fixture.document.m_strFileName, QStringLiteral("wave.csv"));
    EXPECT_TRUE(fixture.messages.isEmpty());

    channel.arbPoints[3] = 1.5f;
    chooser.answers = {PathOf("edited")};
    OnFileSaveAs(fixture.document);
    EXPECT_EQ(fixture.document.m_strFileName, QStringLiteral("edited.csv"));

    DocumentFixture reopened(true);
    ImportCsv(reopened.document, PathOf("edited.csv"));
    ASSERT_EQ(reopened.Channel().arbPointCount, 4);
    const float expected[] = {0.5f, -1.25f, 2.0f, 1.5f};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(reopened.Channel().arbPoints[static_cast<std::size_t>(k)], expected[k]);
    }
}

TEST_F(CsvCommandsTest, OpenQueuesTheFrequencyAndADownload) {
    WriteText(PathOf("two.csv"), "#CLOCK=200.0\r\n#SIZE=2\r\n1.0,0,0\r\n-1.0,0,0\r\n");
    fixture.DrainQueue();
    ImportCsv(fixture.document, PathOf("two.csv"));
    const std::vector<int> queued = fixture.Channel().QueuedCommands();
    EXPECT_EQ(queued.front(), static_cast<int>(DeviceCommand::SetFrequency));
    EXPECT_NE(std::find(queued.begin(), queued.end(), static_cast<int>(DeviceCommand::Download)),
              queued.end());
}

// A file of 300 points (or one whose lines stop short of its count) opened over a drawn wave of
// another length: the device buffer holds the file's period, nothing of the drawing.
TEST_F(CsvCommandsTest, AFileOfAnotherLengthReplacesTheWholeDrawnWave) {
    const struct {
        const char* name;
        double frequency;  // the file's clock / its count
        int bufferPoints;  // the simulator's buffer at that frequency
        int bufferPeriods;
    } cases[] = {
        {"short.csv", 1000.0, 4082, 1},
        {"two-periods.csv", 100000.0, 4000, 2},
    };
    constexpr int kFilePoints = 300;
    ChannelState& channel = fixture.Channel();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        channel.SetFrequency(1000.0);
        fixture.RunQueue();
        ChangeWaveType(channel, Sine, ArbitraryTable::FromCurrentWave);
        // A drawn wave of the buffer's 4082 points.
        ChangeWaveType(channel, Arbitrary, ArbitraryTable::FromCurrentWave);
        ASSERT_EQ(channel.arbPointCount, 4082);
        for (int k = 0; k < 4082; ++k) {
            channel.arbPoints[static_cast<std::size_t>(k)] = 1.0f;
        }
        fixture.RunQueue();

        // The first half of the file's period is +2 V, the second -2 V.
        QByteArray text = "#CLOCK=" + QByteArray::number(c.frequency * kFilePoints, 'f', 6) +
                          "\r\n#SIZE=" + QByteArray::number(kFilePoints) + "\r\n";
        for (int k = 0; k < kFilePoints; ++k) {
            text += k < kFilePoints / 2 ? "2.000000,0,0\r\n" : "-2.000000,0,0\r\n";
        }
        WriteText(PathOf(QString::fromLatin1(c.name)), text);
        ImportCsv(fixture.document, PathOf(QString::fromLatin1(c.name)));
        fixture.RunQueue();

        EXPECT_EQ(channel.arbPointCount, kFilePoints);
        ASSERT_EQ(channel.pointCount, c.bufferPoints);
        ASSERT_EQ(channel.periodCount, c.bufferPeriods);
        const std::vector<std::uint16_t> codes = fixture.library.Device(0).codes;
        ASSERT_EQ(codes.size(), static_cast<std::size_t>(c.bufferPoints));
        const auto codeOf = [](float volts) { return ToDacCode(double(volts * 0.2857143f), 1); };
        // Buffer point i lies at this fraction of its period, which maps onto the file's points.
        const int perPeriod = c.bufferPoints / c.bufferPeriods;
        int wrong = 0;
        for (int i = 0; i < c.bufferPoints; ++i) {
            const int filePoint = (i % perPeriod) * kFilePoints / perPeriod;
            const float volts = filePoint < kFilePoints / 2 ? 2.0f : -2.0f;
            wrong += codes[static_cast<std::size_t>(i)] == codeOf(volts) ? 0 : 1;
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), codeOf(1.0f)), 0)
            << "points of the drawn wave reached the device";
    }
}

TEST_F(CsvCommandsTest, SavingASineSwitchesToArbitraryAndWritesEveryPoint) {
    ChannelState& channel = fixture.Channel();
    ASSERT_EQ(channel.waveType, Sine);
    ASSERT_DOUBLE_EQ(channel.frequency, 1000.0);
    chooser.answers = {PathOf("sine.csv")};
    OnFileSave(fixture.document);  // no file yet: asks like Save As

    ASSERT_EQ(chooser.asked, QList<CsvFileDialog>{CsvFileDialog::kSave});
    EXPECT_EQ(channel.waveType, Arbitrary);
    const int count = channel.arbPointCount;
    const QStringList lines = ReadText(PathOf("sine.csv")).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), count + 3);  // two header lines, the points, the empty tail
    EXPECT_EQ(lines[0], QStringLiteral("#CLOCK=%1.000000").arg(count * 1000));
    EXPECT_EQ(lines[1], QStringLiteral("#SIZE=%1").arg(count));
    float lowest = 0.0f;
    float highest = 0.0f;
    for (int k = 0; k < count; ++k) {
        const float volts = lines[k + 2].section(QLatin1Char(','), 0, 0).toFloat();
        lowest = std::min(lowest, volts);
        highest = std::max(highest, volts);
    }
    EXPECT_NEAR(highest, 2.0f, 0.01f);  // the sine's 2 V amplitude survives
    EXPECT_NEAR(lowest, -2.0f, 0.01f);
    EXPECT_TRUE(lines.back().isEmpty());
}

TEST_F(CsvCommandsTest, SaveAfterSaveAsWritesWithoutAsking) {
    chooser.answers = {PathOf("first.csv")};
    OnFileSaveAs(fixture.document);
    fixture.Channel().arbPoints[0] = -3.25f;
    SaveCsv(fixture.document, false);
    EXPECT_EQ(chooser.asked.size(), 1);
    EXPECT_TRUE(ReadText(PathOf("first.csv")).contains(QStringLiteral("\r\n-3.250000,0,0\r\n")));
}

TEST_F(CsvCommandsTest, CancelledDialogsDoNothing) {
    OnFileOpen(fixture.document);
    SaveCsv(fixture.document, true);
    EXPECT_EQ(chooser.asked.size(), 2);
    EXPECT_EQ(fixture.Channel().waveType, Sine);
    EXPECT_EQ(fixture.document.m_strFileName, QString::fromLatin1(kNoCsvFileName));
    EXPECT_TRUE(fixture.messages.isEmpty());
}

TEST_F(CsvCommandsTest, RefusedFilesLeaveTheChannelUntouched) {
    const struct {
        const char* name;
        QByteArray text;
        const char* message;
    } cases[] = {
        {"empty.csv", "#CLOCK=1000\r\n#SIZE=0\r\n", "Points is too few!!!"},
        {"huge.csv", "#CLOCK=1000\r\n#SIZE=4097\r\n1.0,0,0\r\n", "Value is Over!!!"},
        {"blank.csv", "#CLOCK=1000\r\n#SIZE= 12\r\n", "Points is too few!!!"},
    };
    ChannelState& channel = fixture.Channel();
    channel.arbPoints[0] = 0.75f;
    for (const auto& file : cases) {
        SCOPED_TRACE(file.name);
        WriteText(PathOf(file.name), file.text);
        fixture.messages.clear();
        fixture.DrainQueue();
        ImportCsv(fixture.document, PathOf(file.name));
        EXPECT_EQ(fixture.messages, QStringList{QString::fromLatin1(file.message)});
        EXPECT_EQ(channel.waveType, Sine);
        EXPECT_EQ(channel.arbPointCount, 1000);
        EXPECT_FLOAT_EQ(channel.arbPoints[0], 0.75f);
        EXPECT_DOUBLE_EQ(channel.frequency, 1000.0);
        EXPECT_TRUE(channel.QueuedCommands().empty());
        EXPECT_EQ(fixture.document.m_strFileName, QString::fromLatin1(kNoCsvFileName));
        EXPECT_TRUE(fixture.document.m_strCsvPath.isEmpty());
    }
}

// A file cut short would play zeros in place of its lost points: it is refused, and the wave the
// window has stays.
TEST_F(CsvCommandsTest, AFileWithFewerPointsThanItsCountIsRefused) {
    WriteText(PathOf("cut.csv"), "#CLOCK=1000.000000\r\n#SIZE=300\r\n1.000000,0,0\r\n");
    ImportCsv(fixture.document, PathOf("cut.csv"));
    ASSERT_EQ(fixture.messages.size(), 1);
    EXPECT_EQ(fixture.messages[0], QStringLiteral("Points is too few!!!"));
    EXPECT_EQ(fixture.Channel().waveType, Sine);
    EXPECT_EQ(fixture.document.m_strFileName, QString::fromLatin1(kNoCsvFileName));
}

TEST_F(CsvCommandsTest, AFileThatCannotBeOpenedIsReported) {
    ImportCsv(fixture.document, PathOf("missing.csv"));
    ASSERT_EQ(fixture.messages.size(), 1);
    EXPECT_EQ(fixture.messages[0], QStringLiteral("Cannot read file %1: No such file or directory")
                                       .arg(PathOf("missing.csv")));
    EXPECT_EQ(fixture.Channel().waveType, Sine);
}

TEST_F(CsvCommandsTest, AnUnwritablePlaceIsReportedBeforeAnythingChanges) {
    ExportCsv(fixture.document, PathOf("no-such-folder/wave.csv"));
    ASSERT_EQ(fixture.messages.size(), 1);
    EXPECT_TRUE(fixture.messages[0].startsWith(QStringLiteral("Cann't Save file: ")));
    EXPECT_EQ(fixture.Channel().waveType, Sine);
    EXPECT_EQ(fixture.document.m_strFileName, QString::fromLatin1(kNoCsvFileName));
}

TEST(CsvFileDialogs, OfferCsvAndAllFilesWithTheirTitles) {
    QFileDialog open;
    SetUpCsvFileDialog(open, CsvFileDialog::kOpen);
    EXPECT_EQ(open.windowTitle(), QStringLiteral("Open CSV file"));
    EXPECT_EQ(open.nameFilters(),
              (QStringList{QStringLiteral("Data File(*.csv)"), QStringLiteral("All Files(*.*)")}));
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);

    QFileDialog save;
    SetUpCsvFileDialog(save, CsvFileDialog::kSave);
    EXPECT_EQ(save.windowTitle(), QStringLiteral("Save CSV file"));
    EXPECT_EQ(save.nameFilters(), open.nameFilters());
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(save.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save.defaultSuffix(), QStringLiteral("csv"));
}

TEST(CsvExtension, IsAddedOnlyToANameWithoutOne) {
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {
        {"/tmp/wave", "/tmp/wave.csv"},
        {"/tmp/wave.csv", "/tmp/wave.csv"},
        {"/tmp/wave.txt", "/tmp/wave.txt"},
        {"/tmp/dotted.dir/wave", "/tmp/dotted.dir/wave.csv"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithCsvExtension(QString::fromLatin1(c.typed)), QString::fromLatin1(c.saved));
    }
}

}  // namespace
}  // namespace korvane
