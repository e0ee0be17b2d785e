#pragma once

// Printing a report to a PDF file and reading the file back: its pages, its words and where they
// lie.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "view/report.h"

namespace korvane::test {

inline const QDateTime kPrintTime(QDate(2026, 12, 7), QTime(9, 5, 3));

inline ReportContent KnownContent() {
    ReportContent content;
    content.texts = ReportTexts::FromLanguage([](int) { return QString(); });
    content.values.amplitudeVolts = 1.5;
    content.values.frequencyText = QStringLiteral("1.000");
    content.values.frequencyUnit = QStringLiteral("KHz");
    content.values.offsetVolts = -0.25;
    content.values.measureFrequency = 1;
    content.values.measurementText = QStringLiteral("999.98 Hz");
    content.values.deviceName = QStringLiteral("Bench 2");
    content.values.waveTypeText = QStringLiteral("Square");
    content.values.phaseText = QStringLiteral("0.250");
    return content;
}

// Prints to a PDF file in `dir`; returns its path.
inline QString PrintToPdf(const ReportContent& content, const QTemporaryDir& dir) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    printer.setOutputFileName(path);
    EXPECT_TRUE(PrintReport(printer, content, kPrintTime));
    return path;
}

inline int PageCount(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString bytes = QString::fromLatin1(file.readAll());
    return int(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

// The text of a PDF as pdftotext reads it; empty when the tool is missing.
inline QString PdfText(const QString& pdf) {
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
inline PdfPage PdfWords(const QString& pdf) {
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
inline QStringList WordsOutsideTheFrames(const PdfPage& page) {
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
inline QStringList WordsOutsideTheWaveform(const PdfPage& page) {
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

inline QString WordsText(const PdfPage& page) {
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

}  // namespace korvane::test
