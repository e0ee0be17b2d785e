// The one-page generator report: its layout on a page of logical units, and printed to PDF.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>

#include "document/csv_commands.h"
#include "i18n/language_table.h"
#include "view/controls/left_right.h"
#include "view/report.h"
#include "view/wave_display.h"
#include "view_panel_fixture.h"

namespace korvane::test {
namespace {

const QDateTime kPrintTime(QDate(2026, 12, 7), QTime(9, 5, 3));

ReportContent KnownContent() {
    ReportContent content;
    content.texts = ReportTexts::FromLanguage([](int) { return QString(); });
    content.values.amplitudeVolts = 1.5;
    content.values.frequencyText = QStringLiteral("1.000");
    content.values.frequencyUnit = QStringLiteral("KHz");
    content.values.offsetVolts = -0.25;
    content.values.measureFrequency = 1;
    content.values.measurementText = QStringLiteral("999.98 Hz");
    return content;
}

// Prints to a PDF file in `dir`; returns its path.
QString PrintToPdf(const ReportContent& content, const QTemporaryDir& dir) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    printer.setOutputFileName(path);
    EXPECT_TRUE(PrintReport(printer, content, kPrintTime));
    return path;
}

int PageCount(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString bytes = QString::fromLatin1(file.readAll());
    return int(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

// The text of a PDF as pdftotext reads it; empty when the tool is missing.
QString PdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        return {};
    }
    QProcess process;
    process.start(tool, {pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    // Compatibility form: a typeset ligature ("ff") reads as its letters.
    return QString::fromUtf8(process.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC);
}

// One word of a PDF page as pdftotext places it, in points from the top left of the page.
struct PdfWord {
    QString text;
    QRectF box;
};
struct PdfPage {
    QSizeF size;
    std::vector<PdfWord> words;
};

// The words of the first page with their boxes (pdftotext -bbox); empty when the tool is missing.
PdfPage PdfWords(const QString& pdf) {
    PdfPage page;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        return page;
    }
    QProcess process;
    process.start(tool, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""))
            .match(html);
    if (size.hasMatch()) {
        page.size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    }
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        page.words.push_back(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return page;
}

// Every word lies inside the innermost frame (5.3 % .. 94.7 % of the page's width and height);
// returns the words that do not, for the failure message.
QStringList WordsOutsideTheFrames(const PdfPage& page) {
    const QRectF inner(page.size.width() * 0.053, page.size.height() * 0.053,
                       page.size.width() * (1 - 2 * 0.053), page.size.height() * (1 - 2 * 0.053));
    QStringList outside;
    for (const PdfWord& word : page.words) {
        if (!inner.contains(word.box)) {
            outside << word.text;
        }
    }
    return outside;
}

// The words drawn in the waveform's band of the page that reach past its sides (7.5 % of the
// width in from each side), where the picture clips them.
QStringList WordsOutsideTheWaveform(const PdfPage& page) {
    const double w = page.size.width();
    const double h = page.size.height();
    QStringList outside;
    for (const PdfWord& word : page.words) {
        const double y = word.box.center().y();
        const bool inBand = y > 0.12 * h && y < 0.55 * h;
        if (inBand && (word.box.left() < 0.075 * w || word.box.right() > 0.925 * w)) {
            outside << word.text;
        }
    }
    return outside;
}

QString WordsText(const PdfPage& page) {
    QStringList words;
    for (const PdfWord& word : page.words) {
        words << word.text;
    }
    return words.join(QLatin1Char(' '));
}

#define REQUIRE_PDFTOTEXT()                                                      \
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) { \
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";            \
    }

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
          "Frequency Measure = 999.98 Hz", "Note:"}) {
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
    for (const char* expected : {"GENERATORBERICHT", "DATUM : 07.12.2026", "ZEIT : 09:05:03",
                                 "Ausgangsamplitude=1.500V", "Ausgangsfrequenz=1.000KHz",
                                 "Y-Offset=-0.250V", "Frequenzmessung = 999.98 Hz", "Notiz:"}) {
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

TEST(ReportTextsTest, EmptyLanguageTextsFallBackToEnglish) {
    const ReportTexts texts = ReportTexts::FromLanguage(
        [](int key) { return key == 2013 ? QStringLiteral("BERICHT") : QString(); });
    EXPECT_EQ(texts.title, "BERICHT");
    EXPECT_EQ(texts.date, "DATE");
    EXPECT_EQ(texts.offset, "Y Offset");
    EXPECT_EQ(texts.counterMeasure, "Counter Measure");
    EXPECT_EQ(texts.note, "Note:");
}

// Drawn unscaled on an 850 x 1202 picture, one logical unit is one pixel.
class ReportLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        page.fill(Qt::white);
        ReportContent content = KnownContent();
        content.drawWave = [this](QPainter&, const QRect& area) { waveAreas.push_back(area); };
        QPainter painter(&page);
        DrawReport(painter, page.rect(), content, kPrintTime);
    }
    bool Black(int x, int y) const { return page.pixelColor(x, y) == QColor(Qt::black); }

    QImage page{850, 1202, QImage::Format_RGB32};
    std::vector<QRect> waveAreas;
};

TEST_F(ReportLayoutTest, FourFramesAtTheirMargins) {
    const int y = 1202 / 2;
    // Left edges at 4 %, 5 %, 5.2 % and 5.3 % of the width, truncated.
    for (int x = 30; x < 50; ++x) {
        const bool frame = x == 34 || x == 42 || x == 44 || x == 45;
        EXPECT_EQ(Black(x, y), frame) << "x " << x;
    }
    // Right edges one unit inside 96 %, 95 %, 94.8 % and 94.7 %.
    for (int x = 800; x < 820; ++x) {
        const bool frame = x == 815 || x == 806 || x == 804 || x == 803;
        EXPECT_EQ(Black(x, y), frame) << "x " << x;
    }
    // Top edges at 4 % .. 5.3 % of the height.
    const int x = 850 / 2;
    for (const int top : {48, 60, 62, 63}) {
        EXPECT_TRUE(Black(x, top)) << "y " << top;
    }
    EXPECT_FALSE(Black(x, 55));
}

TEST_F(ReportLayoutTest, TheWaveformTakesHalfThePageBetweenTheSideMargins) {
    ASSERT_EQ(waveAreas.size(), 1u);
    const QRect area = waveAreas.front();
    EXPECT_EQ(area.left(), 63);  // 7.5 % of 850, truncated
    EXPECT_EQ(area.left() + area.width(), 850 - 63);
    EXPECT_EQ(area.top() + area.height(), int(1202 * 0.5 + area.top()));
    // Below the title (at 6 % of the height), the caption and the date line.
    EXPECT_GT(area.top(), 72 + 50);
    EXPECT_LT(area.top(), 72 + 50 + 30 + 20 + 3);
}

TEST_F(ReportLayoutTest, TitleIsCentredAndTheNoteLinesReachNinetyPercent) {
    // The title's ink lies on both sides of the middle, in the band below 6 % of the height.
    int leftmost = 850;
    int rightmost = 0;
    for (int y = 72; y < 72 + 50; ++y) {
        for (int x = 100; x < 750; ++x) {
            if (page.pixelColor(x, y).lightness() < 128) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    ASSERT_LT(leftmost, rightmost);
    EXPECT_NEAR((leftmost + rightmost) / 2.0, 425.0, 6.0);
    // Four horizontal note lines end at 90 % of the width; the last three start at 10 %.
    int fullLines = 0;
    for (int y = 900; y < 1100; ++y) {  // above the bottom frames
        bool full = true;
        for (int x = 85; x < 765; x += 5) {
            full = full && Black(x, y);
        }
        fullLines += full ? 1 : 0;
        if (full) {
            EXPECT_FALSE(Black(766, y)) << "line at " << y << " ends at 765";
        }
    }
    EXPECT_EQ(fullLines, 3);
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
