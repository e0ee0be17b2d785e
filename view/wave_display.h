#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <optional>

#include "view/wave_scene.h"

namespace korvane {

class ChannelState;

// The picture of a channel's waveform on the device panel: a dark field in a bevelled frame
// with the real wave (waveNumber periods across) and its markers, or, for the arbitrary type,
// the points of the display window with the point cursor, the position bar and status lines.
//
// It holds no waveform data: every paint reads the channel afresh. It keeps one back buffer,
// dropped on resize. Mouse input passes through to the widget underneath, which owns the
// mouse editing of the points.
class WaveDisplay : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString fileName READ FileName WRITE SetFileName)

  public:
    explicit WaveDisplay(QWidget* parent = nullptr);

    // The channel shown; not owned. Without one only the empty field is drawn.
    void SetChannel(ChannelState* channel);
    ChannelState* Channel() const { return channel_; }

    // Shown for the arbitrary type and in the report.
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name);
    // The word in the cursor readout (from the language table).
    QString CursorLabel() const { return cursorLabel_; }
    void SetCursorLabel(const QString& label);
    // The notice shown while the output is clipped at full scale.
    void SetClippedLabel(const QString& label);
    // The templates of the "Amp = ..." and "... Points per Period" lines (from the language
    // table); one without the conversions of the program's own is not used.
    void SetLineFormats(const QString& amplitude, const QString& pointsPerPeriod);

    QColor BackgroundColor() const { return colours_.background; }
    void SetBackgroundColor(const QColor& colour);
    QColor CurveColor() const { return colours_.curve; }
    void SetCurveColor(const QColor& colour);
    QColor XyLineColor() const { return colours_.xyLine; }
    void SetXyLineColor(const QColor& colour);
    QColor CursorColor() const { return colours_.cursor; }
    void SetCursorColor(const QColor& colour);

    // Kept for the mouse editing and the points editor; not drawn.
    int CursorX() const { return cursorX_; }
    void SetCursorX(int x) { cursorX_ = x; }
    // The arbitrary point under the cross-hair.
    int CursorIndex() const { return cursorIndex_; }
    void SetCursorIndex(int index);

    // The plot area in the display's own coordinates: the client rectangle inset by 10.
    QRect PlotRect() const;

    // Schedules a repaint when the picture would differ from the one on screen (noise always
    // differs), so the periodic refresh of an unchanged wave costs next to nothing.
    void Refresh();

    // The on-screen picture for client rectangle `area`. Also stores the window's pixels per
    // point in the channel (ArbViewScale), which the mouse editing reads.
    void DrawWave(QPainter& painter, const QRect& area);
    // The same picture in black on white for the report, in the painter's current font; it
    // leaves the channel untouched.
    void DrawWaveForPrint(QPainter& painter, const QRect& area) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    WaveScene CaptureScene() const;
    void DrawScene(QPainter& painter, const QRect& area, WaveScene scene);
    void SetColour(QColor WaveColours::*role, const QColor& colour);

    ChannelState* channel_ = nullptr;
    WaveColours colours_;
    QString fileName_;
    QString cursorLabel_ = QStringLiteral("At Point");
    QString clippedLabel_ = QStringLiteral("CLIPPED");
    QString amplitudeFormat_;  // checked templates; empty: the program's own
    QString pointsFormat_;
    int cursorX_ = 0;
    int cursorIndex_ = 0;
    QPixmap backBuffer_;
    std::optional<WaveScene> painted_;  // what the back buffer shows
};

}  // namespace korvane
