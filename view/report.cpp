#include "view/report.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "document/control_id.h"
#include "document/document_context.h"
#include "document/multi_tessel_doc.h"
#include "document/remembered_values.h"
#include "engine/channel_state.h"
#include "view/entry/step_edit.h"
#include "view/multi_tessel_view.h"
#include "view/panel_form.h"
#include "view/wave_display.h"

namespace korvane {

namespace {

// The frames, outermost first, as fractions of the page's width and height.
constexpr double kFrameMargins[] = {0.04, 0.05, 0.052, 0.053};

struct ReportFont {
    int height;  // line height in logical units
    bool bold;
    bool italic;
};
constexpr ReportFont kTitleFont{50, true, true};
constexpr ReportFont kCaptionFont{30, true, true};
constexpr ReportFont kBodyFont{20, false, false};

constexpr char kInstrumentCaption[] = "KorvaneAWG";
constexpr double kInnerMargin = kFrameMargins[3];
constexpr int kFrameGap = 4;    // logical units between a text and the innermost frame
constexpr int kColumnGap = 10;  // between the two columns of parameter lines

int Truncate(double value) {
    return static_cast<int>(value);
}

// An Arial face whose line height (ascent + descent) is `font.height` logical units.
QFont MakeFont(const ReportFont& font) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setPixelSize(font.height);
    const qreal lineHeight = QFontMetricsF(f).height();
    if (lineHeight > font.height) {
        f.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.height * font.height / lineHeight))));
    }
    return f;
}

// Draws a text with its top left corner at (x, y); returns the font's text height.
int TextAt(QPainter& painter, int x, int y, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    return metrics.height();
}

// The painter's font, or a smaller size of it when `text` is wider than `room`: a long
// translation is printed whole, never cut.
QFont FontToFit(const QPainter& painter, const QString& text, int room) {
    QFont font = painter.font();
    room = std::max(1, room);
    const int width = QFontMetrics(font, painter.device()).horizontalAdvance(text);
    if (width <= room) {
        return font;
    }
    font.setPixelSize(std::max(1, font.pixelSize() * room / width));
    while (font.pixelSize() > 1 &&
           QFontMetrics(font, painter.device()).horizontalAdvance(text) > room) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

// Draws a text whose left edge is at x so that it ends by `right`.
void FittedTextAt(QPainter& painter, int x, int y, const QString& text, int right) {
    const QFont font = painter.font();
    painter.setFont(FontToFit(painter, text, right - x));
    TextAt(painter, x, y, text);
    painter.setFont(font);
}

QString VoltsLine(const QString& label, double volts) {
    return label + QLatin1Char('=') + QString::number(volts, 'f', 3) + QLatin1Char('V');
}

QString DateLine(const ReportTexts& texts, const QDateTime& now) {
    const QDate date = now.date();
    const QTime time = now.time();
    return texts.date + QStringLiteral(" : ") +
           QString::asprintf("%02d.%02d.%4d", date.day(), date.month(), date.year()) +
           QStringLiteral("    ") + texts.time + QStringLiteral(" : ") +
           QString::asprintf("%02d:%02d:%02d", time.hour(), time.minute(), time.second());
}

QString OrEnglish(const QString& text, const char* english) {
    return text.isEmpty() ? QString::fromUtf8(english) : text;
}

void DrawFrames(QPainter& painter, int w, int h) {
    for (const double m : kFrameMargins) {
        const int left = Truncate(m * w);
        const int top = Truncate(m * h);
        // The outline covers left .. right - 1 and top .. bottom - 1.
        painter.drawRect(
            QRect(left, top, Truncate(w - m * w) - left - 1, Truncate(h - m * h) - top - 1));
    }
}

void DrawNoteLines(QPainter& painter, int w, int y, const QString& note) {
    const int x = Truncate(w * 0.1);
    const int right = Truncate(w * 0.9);
    const QFontMetrics metrics = painter.fontMetrics();
    const QFont font = painter.font();
    painter.setFont(FontToFit(painter, note, right - x));
    const int noteWidth = painter.fontMetrics().horizontalAdvance(note);
    TextAt(painter, x, y, note);
    painter.setFont(font);
    int lineY = y + metrics.height();
    painter.drawLine(x + noteWidth, lineY, right, lineY);
    for (int i = 0; i < 3; ++i) {
        lineY += metrics.height();
        painter.drawLine(x, lineY, right, lineY);
    }
}

}  // namespace

ReportTexts ReportTexts::FromLanguage(const std::function<QString(int key)>& lookup) {
    const auto text = [&lookup](int key, const char* english) {
        return OrEnglish(lookup(key), english);
    };
    ReportTexts texts;
    texts.title = text(2013, "GENERATOR REPORT");
    texts.date = text(2028, "DATE");
    texts.time = text(2029, "TIME");
    texts.amplitude = text(2019, "Output Amplitude");
    texts.frequency = text(2018, "Output Frequency");
    texts.offset = text(1110, "Y Offset");
    texts.frequencyMeasure = text(2016, "Frequency Measure");
    texts.counterMeasure = text(2017, "Counter Measure");
    texts.note = text(2020, "Note:");
    texts.device = text(2014, "Device");
    texts.phase = text(1062, "Phase");
    return texts;
}

void DrawReport(QPainter& painter, const QRect& page, const ReportContent& content,
                const QDateTime& now) {
    painter.save();
    const int w = page.width();
    const int h = page.height();
    const ReportTexts& texts = content.texts;
    const ReportValues& values = content.values;

    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    DrawFrames(painter, w, h);

    // Texts keep inside the innermost frame, with a small gap to it.
    const int innerLeft = Truncate(kInnerMargin * w) + kFrameGap;
    const int innerRight = Truncate(w - kInnerMargin * w) - kFrameGap;

    painter.setFont(MakeFont(kTitleFont));
    const int h1 = painter.fontMetrics().height();
    const int titleWidth =
        std::min(painter.fontMetrics().horizontalAdvance(texts.title), innerRight - innerLeft);
    const int titleX =
        std::max(innerLeft, Truncate((page.right() + 1 + page.left()) / 2 - titleWidth * 0.5));
    const int y0 = Truncate(h * 0.06);
    FittedTextAt(painter, titleX, y0, texts.title, innerRight);

    painter.setFont(MakeFont(kCaptionFont));
    const int y1 = y0 + h1;
    const int h2 = TextAt(painter, Truncate(w * 0.7), y1, QString::fromLatin1(kInstrumentCaption));

    painter.setFont(MakeFont(kBodyFont));
    const int x2 = Truncate(w * 0.075);
    const int y2 = y1 + h2;
    const int h3 = painter.fontMetrics().height();
    FittedTextAt(painter, x2, y2, DateLine(texts, now), innerRight);

    const int y3 = y2 + h3;
    const QRect wave(QPoint(x2, y3), QPoint(w - x2 - 1, Truncate(h * 0.5 + y3) - 1));
    if (content.drawWave) {
        painter.save();
        content.drawWave(painter, wave);
        painter.restore();
    }

    const int xa = Truncate(w * 0.15f);
    const int xb = Truncate(w * 0.45f);
    const int row1 = y3 + wave.height() + 3 * h3;
    const int row2 = row1 + 2 * h3;
    // The first column ends before the second begins.
    const int columnAEnd = xb - kColumnGap;
    FittedTextAt(painter, xa, row1, VoltsLine(texts.amplitude, values.amplitudeVolts), columnAEnd);
    FittedTextAt(painter, xb, row1,
                 texts.frequency + QLatin1Char('=') + values.frequencyText + values.frequencyUnit,
                 innerRight);
    FittedTextAt(painter, xa, row2, VoltsLine(texts.offset, values.offsetVolts), columnAEnd);
    const QString& measure =
        values.measureFrequency == 1 ? texts.frequencyMeasure : texts.counterMeasure;
    FittedTextAt(painter, xb, row2, measure + QStringLiteral(" = ") + values.measurementText,
                 innerRight);
    // Which generator played which wave: the device's name, the wave type and its phase.
    const int row3 = row2 + 2 * h3;
    FittedTextAt(painter, xa, row3, texts.device + QStringLiteral(": ") + values.deviceName,
                 columnAEnd);
    FittedTextAt(painter, xb, row3,
                 values.waveTypeText + QStringLiteral("    ") + texts.phase + QLatin1Char('=') +
                     values.phaseText,
                 innerRight);

    painter.setFont(MakeFont(kCaptionFont));
    DrawNoteLines(painter, w, row3 + 2 * h3, texts.note);
    painter.restore();
}

bool PrintReport(QPrinter& printer, const ReportContent& content, const QDateTime& now) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // Isotropic: one scale for both directions, the smaller of the two.
    const int viewportX = printer.logicalDpiX() * kReportUnitsWide / 75;
    const int viewportY = printer.logicalDpiY() * kReportUnitsWide / 75;
    const double scale =
        std::min(double(viewportX) / kReportUnitsWide, double(viewportY) / kReportUnitsHigh);
    painter.scale(scale, scale);
    const QRect page(0, 0, Truncate(printer.width() / scale), Truncate(printer.height() / scale));
    DrawReport(painter, page, content, now);
    return painter.end();
}

namespace {

// The text a control of the window shows, found by its control id.
QString ControlText(const QWidget& window, int id) {
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (ControlId(*widget) == id) {
            return widget->property("text").toString();
        }
    }
    return {};
}

}  // namespace

ReportContent ReportContentOf(const CMultiTesselView& view) {
    const PanelForm& form = view.Form();
    ReportContent content;
    content.texts =
        ReportTexts::FromLanguage([](int key) { return CMultiTesselDoc::GetLanguageText(key); });
    content.values.amplitudeVolts = form.amplitude->GetValue();
    content.values.frequencyText = form.frequency->text();
    content.values.frequencyUnit = form.frequencyUnit->currentText();
    content.values.offsetVolts = form.offset->GetValue();
    if (const ChannelState* channel = view.Document().m_pState.get()) {
        content.values.measureFrequency = channel->measureFrequency;
    }
    content.values.measurementText = form.readout->text();
    content.values.deviceName = view.Document().m_strDeviceName;
    content.values.phaseText = form.phase->text();
    if (const ChannelState* channel = view.Document().m_pState.get()) {
        const int waveType = channel->waveType;
        if (waveType >= 0 && waveType < static_cast<int>(kWaveLabelIds.size())) {
            content.values.waveTypeText = ControlText(view, kWaveLabelIds[waveType]);
        }
    }
    const WaveDisplay* display = &view.Display();
    content.drawWave = [display](QPainter& painter, const QRect& area) {
        display->DrawWaveForPrint(painter, area);
    };
    return content;
}

namespace {

// The printer and paper last chosen; empty until the user chooses.
struct PrinterChoice {
    QString printerName;
    std::optional<QPageLayout> pageLayout;
};

PrinterChoice& LastChoice() {
    static PrinterChoice choice;
    return choice;
}

// A printer set up as last chosen (the default printer and paper before any choice).
std::unique_ptr<QPrinter> ChosenPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const PrinterChoice& choice = LastChoice();
    if (!choice.printerName.isEmpty()) {
        printer->setPrinterName(choice.printerName);
    }
    if (choice.pageLayout) {
        printer->setPageLayout(*choice.pageLayout);
    }
    return printer;
}

void RememberChoice(const QPrinter& printer) {
    LastChoice().printerName = printer.printerName();
    LastChoice().pageLayout = printer.pageLayout();
}

RememberedValues* Remembered() {
    const DocumentContext* context = CMultiTesselDoc::Context();
    return context != nullptr ? context->remembered : nullptr;
}

// The print dialog offers the PDF file printed to last time, across runs.
void OfferLastPdfFile(QPrinter& printer) {
    if (const RememberedValues* remembered = Remembered()) {
        const QString path = remembered->Value(QString::fromLatin1(kPrintPdfFileKey));
        if (!path.isEmpty()) {
            printer.setOutputFileName(path);
        }
    }
}

void RememberPdfFile(const QPrinter& printer) {
    RememberedValues* remembered = Remembered();
    if (remembered != nullptr && printer.outputFormat() == QPrinter::PdfFormat &&
        !printer.outputFileName().isEmpty()) {
        remembered->SetValue(QString::fromLatin1(kPrintPdfFileKey), printer.outputFileName());
    }
}

void PrintNow(QPrinter& printer, const CMultiTesselView& view) {
    PrintReport(printer, ReportContentOf(view), QDateTime::currentDateTime());
}

}  // namespace

void PrintWithDialog(CMultiTesselView& view) {
    const std::unique_ptr<QPrinter> printer = ChosenPrinter();
    if (LastChoice().printerName.isEmpty()) {
        OfferLastPdfFile(*printer);  // unless a printer was chosen in this run
    }
    QPrintDialog dialog(printer.get(), &view);
    if (dialog.exec() == QDialog::Accepted) {
        RememberChoice(*printer);
        RememberPdfFile(*printer);
        PrintNow(*printer, view);
    }
}

void PrintDirect(CMultiTesselView& view) {
    const std::unique_ptr<QPrinter> printer = ChosenPrinter();
    if (printer->outputFormat() != QPrinter::NativeFormat ||
        QPrinterInfo::printerInfo(printer->printerName()).isNull()) {
        PrintWithDialog(view);  // no printer to go to: let the user choose one or a PDF file
        return;
    }
    PrintNow(*printer, view);
}

void ShowPrintSetup(QWidget* parent) {
    const std::unique_ptr<QPrinter> printer = ChosenPrinter();
    QPageSetupDialog dialog(printer.get(), parent);
    if (dialog.exec() == QDialog::Accepted) {
        RememberChoice(*printer);
    }
}

void ShowPrintPreview(CMultiTesselView& view) {
    const std::unique_ptr<QPrinter> printer = ChosenPrinter();
    QPrintPreviewDialog dialog(printer.get(), &view);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* target) { PrintNow(*target, view); });
    dialog.exec();
}

}  // namespace korvane
