// The one-page generator report printed to PDF, from known contents and from a front panel.
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>

#include "document/csv_commands.h"
#include "i18n/language_table.h"
#include "report_pdf.h"
#include "view/controls/left_right.h"
#include "view/report.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

TEST(ReportPrintTest, APdfFileHasOnePageWithTitleParametersAndNote) {
    REQUIRE_PDFTOTEXT();
    QTemporaryDir dir;
    int waveDrawn = 0;
    ReportContent content = KnownContent();
    content.drawWave = [&waveDrawn](QPainter&, const QRect&) { ++waveDrawn; };
    const QString pdf = PrintToPdf(content, dir);
    EXPECT_EQ(PageCount(pdf), 1);
    EXPECT_EQ(waveDrawn, 1);
    const QString text = PdfText(pdf);
    for (const char* expected :
         {"GENERATOR REPORT", "KorvaneAWG", "DATE : 07.12.2026", "TIME : 09:05:03",
          "Output Amplitude=1.500V", "Output Frequency=1.000KHz", "Y Offset=-0.250V",
          "Frequency Measure = 999.98 Hz", "Device: Bench 2", "Square", "Phase=0.250", "Note:"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    }
}

TEST(ReportPrintTest, TheCounterReadoutIsLabelledCounterMeasure) {
    REQUIRE_PDFTOTEXT();
    QTemporaryDir dir;
    ReportContent content = KnownContent();
    content.values.measureFrequency = 0;
    content.values.measurementText = QStringLiteral("00000001234");
    const QString text = PdfText(PrintToPdf(content, dir));
    EXPECT_TRUE(text.contains(QStringLiteral("Counter Measure = 00000001234")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Frequency Measure")));
}

TEST(ReportPrintTest, TextsComeFromTheLanguageTable) {
    REQUIRE_PDFTOTEXT();
    const std::filesystem::path root =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    QTemporaryDir temp;
    LanguageTable table;
    table.ScanLanguageFiles(root, temp.path().toStdString());
    int german = -1;
    for (int i = 0; i < table.GetLanguageCount(); ++i) {
        german = table.GetLanguageName(i) == "Deutsch" ? i : german;
    }
    ASSERT_GE(german, 0);
    table.SelectLanguage(german);
    ReportContent content = KnownContent();
    content.texts = ReportTexts::FromLanguage(
        [&table](int key) { return QString::fromStdString(table.GetText(key)); });
    QTemporaryDir dir;
    const QString text = PdfText(PrintToPdf(content, dir));
    for (const char* expected :
         {"GENERATORBERICHT", "DATUM : 07.12.2026", "ZEIT : 09:05:03", "Ausgangsamplitude=1.500V",
          "Ausgangsfrequenz=1.000KHz", "Y-Offset=-0.250V", "Frequenzmessung = 999.98 Hz",
          "Gerät: Bench 2", "Phase=0.250", "Notiz:"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    }
}

// Long texts in either column (a long translation, a counter readout) stay inside the frames.
TEST(ReportPrintTest, EveryTextFitsInsideTheFrames) {
    REQUIRE_PDFTOTEXT();
    const QString longLabel = QStringLiteral("Ausgangsfrequenzeinstellungswert des Generators");
    const struct {
        const char* name;
        std::function<void(ReportContent&)> change;
    } cases[] = {
        {"as known", [](ReportContent&) {}},
        {"long frequency label", [&](ReportContent& c) { c.texts.frequency = longLabel; }},
        {"long measure label",
         [&](ReportContent& c) {
             c.texts.frequencyMeasure = longLabel;
             c.values.measurementText = QStringLiteral("74999999.99 MHz");
         }},
        {"long amplitude and title",
         [&](ReportContent& c) {
             c.texts.amplitude = longLabel;
             c.texts.title = QStringLiteral("SIGNALGENERATOR-PRÜFBERICHT DES ARBEITSPLATZES");
             c.texts.date = longLabel;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportContent content = KnownContent();
        c.change(content);
        QTemporaryDir dir;
        const PdfPage page = PdfWords(PrintToPdf(content, dir));
        ASSERT_FALSE(page.words.empty());
        EXPECT_EQ(WordsOutsideTheFrames(page).join(QLatin1Char(' ')).toStdString(), "")
            << WordsText(page).toStdString();
        // Nothing is cut short: the long label is there whole.
        if (c.name != std::string("as known")) {
            EXPECT_TRUE(WordsText(page).contains(c.name == std::string("long amplitude and title")
                                                     ? QStringLiteral("PRÜFBERICHT")
                                                     : longLabel))
                << WordsText(page).toStdString();
        }
    }
}

TEST_F(FrontPanelTest, TheReportReadsThePanelAsShown) {
    ChooseUnit(*form().frequencyUnit, 1);
    TypeInto(*form().frequency, "1.000");
    ChooseUnit(*form().amplitudeUnit, 0);
    TypeInto(*form().amplitude, "1500");
    ChooseUnit(*form().offsetUnit, 0);
    TypeInto(*form().offset, "-250");
    view->UpdateMeasurementText();

    const ReportContent content = ReportContentOf(*view);
    EXPECT_EQ(content.values.frequencyText, "1.000");
    EXPECT_EQ(content.values.frequencyUnit, "KHz");
    EXPECT_DOUBLE_EQ(content.values.amplitudeVolts, 1.5);  // volts, though mV is selected
    EXPECT_DOUBLE_EQ(content.values.offsetVolts, -0.25);
    EXPECT_EQ(content.values.measureFrequency, 1);
    EXPECT_EQ(content.values.measurementText, form().readout->text());
    EXPECT_TRUE(bool(content.drawWave));
    // Which generator, which wave and its phase, as the panel names them.
    document.m_strDeviceName = QStringLiteral("Bench 2");
    EXPECT_EQ(ReportContentOf(*view).values.deviceName, "Bench 2");
    EXPECT_EQ(content.values.phaseText, form().phase->text());
    EXPECT_EQ(content.values.waveTypeText, "Sine");
    Press(*form().waveKeys[Square]);
    EXPECT_EQ(ReportContentOf(*view).values.waveTypeText, "Square");

    QTest::mouseClick(form().measureMode, Qt::LeftButton);
    view->UpdateMeasurementText();
    const ReportContent counter = ReportContentOf(*view);
    EXPECT_EQ(counter.values.measureFrequency, channel().measureFrequency.load());
    EXPECT_EQ(counter.values.measurementText, form().readout->text());
}

// The display's texts of an arbitrary wave on the page: the whole cursor readout, and the
// point count of the file opened, not that of the device buffer.
TEST_F(FrontPanelTest, APrintedArbitraryWaveShowsTheWholeReadoutAndTheFilesPointCount) {
    REQUIRE_PDFTOTEXT();
    QTemporaryDir dir;
    QByteArray csv = "#CLOCK=3000000.000000\r\n#SIZE=3000\r\n";
    for (int k = 0; k < 3000; ++k) {
        csv += k > 1500 ? "3.002000,0,0\r\n" : "-1.000000,0,0\r\n";
    }
    const QString path = dir.filePath(QStringLiteral("long.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(csv);
    file.close();
    ImportCsv(document, path);
    while (!Queue().empty()) {
        channel().Poll();  // the device takes the frequency: a 4082-point buffer
    }
    ASSERT_EQ(channel().pointCount, 4082);
    view->TimerTick();  // the display window follows the new table
    view->Display().SetCursorIndex(2658);

    const PdfPage page = PdfWords(PrintToPdf(ReportContentOf(*view), dir));
    const QString text = WordsText(page);
    EXPECT_TRUE(text.contains(QStringLiteral("3000 Points per Period"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("3.002V At Point 2658"))) << text.toStdString();
    EXPECT_EQ(WordsOutsideTheWaveform(page).join(QLatin1Char(' ')).toStdString(), "")
        << text.toStdString();
    EXPECT_EQ(WordsOutsideTheFrames(page).join(QLatin1Char(' ')).toStdString(), "")
        << text.toStdString();
}

// Offset plus amplitude beyond 3.5 V is clipped by the generator: the display says so, in the
// current language, and stops saying so once the wave fits again.
TEST_F(FrontPanelTest, TheDisplayShowsWhenTheOutputIsClipped) {
    REQUIRE_PDFTOTEXT();
    QTemporaryDir dir;
    const auto printed = [&] { return PdfText(PrintToPdf(ReportContentOf(*view), dir)); };
    EXPECT_FALSE(printed().contains(QStringLiteral("CLIPPED")));
    TypeInto(*form().offset, "2");  // 2 V amplitude + 2 V offset
    view->TimerTick();
    EXPECT_TRUE(printed().contains(QStringLiteral("CLIPPED"))) << printed().toStdString();
    TypeInto(*form().amplitude, "1");
    view->TimerTick();
    EXPECT_FALSE(printed().contains(QStringLiteral("CLIPPED")));
}

TEST_F(FrontPanelTest, APrintedPanelShowsItsWaveformOnThePage) {
    QTemporaryDir dir;
    const QString pdf = PrintToPdf(ReportContentOf(*view), dir);
    EXPECT_EQ(PageCount(pdf), 1);
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    QProcess::execute(tool,
                      {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    const QImage image(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(image.isNull());
    // The waveform picture fills the upper half of the page with ink of its own.
    int ink = 0;
    for (int y = image.height() / 6; y < image.height() / 2; ++y) {
        for (int x = image.width() / 8; x < image.width() * 7 / 8; ++x) {
            ink += image.pixelColor(x, y).lightness() < 200 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 200);
}

}  // namespace
}  // namespace korvane::test
