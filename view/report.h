#pragma once

#include <QDateTime>
#include <QRect>
#include <QString>
#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace korvane {

class CMultiTesselView;

// The texts of the one-page generator report, in the current language.
struct ReportTexts {
    QString title;
    QString date;
    QString time;
    QString amplitude;
    QString frequency;
    QString offset;
    QString frequencyMeasure;
    QString counterMeasure;
    QString note;
    QString device;
    QString phase;

    // Each text by its language key, with the English text where the table has none.
    static ReportTexts FromLanguage(const std::function<QString(int key)>& lookup);
};

// What the report prints, read from the panel when the page is drawn.
struct ReportValues {
    double amplitudeVolts = 0.0;
    QString frequencyText;  // the frequency field as shown
    QString frequencyUnit;  // the unit selected beside it ("Hz", "KHz", "MHz")
    double offsetVolts = 0.0;
    int measureFrequency = 1;  // 1: frequency readout, 0: counter readout
    QString measurementText;   // the readout as the panel shows it
    QString deviceName;        // the device window's name
    QString waveTypeText;      // the wave type as the panel's key names it
    QString phaseText;         // the phase field as shown
};

struct ReportContent {
    ReportTexts texts;
    ReportValues values;
    // Draws the waveform into a rectangle of the page, in the painter's current font.
    std::function<void(QPainter&, const QRect&)> drawWave;
};

// The page is laid out in logical units: 850 x 1202 of them span a page 850 / 75 inches high,
// the same scale across and down.
inline constexpr int kReportUnitsWide = 850;
inline constexpr int kReportUnitsHigh = 1202;

// Draws the report into `page` (logical units, origin at the top left of the printable area).
void DrawReport(QPainter& painter, const QRect& page, const ReportContent& content,
                const QDateTime& now);

// Prints the report as one page on `printer`; false when the printer could not be opened.
bool PrintReport(QPrinter& printer, const ReportContent& content, const QDateTime& now);

// The report of a device window as its panel shows it now.
ReportContent ReportContentOf(const CMultiTesselView& view);

// The print commands of a device window: with the print dialog, straight to the default printer
// (the dialog when there is none), and the preview. They share the printer and paper chosen in
// Print Setup and in the print dialog for as long as the program runs.
void PrintWithDialog(CMultiTesselView& view);
void PrintDirect(CMultiTesselView& view);
void ShowPrintPreview(CMultiTesselView& view);
void ShowPrintSetup(QWidget* parent);

}  // namespace korvane
