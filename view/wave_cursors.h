#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "view/wave_cursor_readout.h"

namespace korvane {

class WaveDisplay;

// Two measuring cursors over the arbitrary display: vertical lines on two points of the table
// and a box with their times, voltages, Δt, ΔV and 1/Δt. The right mouse button places cursor 1,
// then cursor 2, and afterwards moves the nearer one (dragging with the button held moves it
// along); the middle button takes both away. They are drawn over the display, which they cover
// exactly, and only while the channel plays the arbitrary table.
//
// The cursors stay on their points when the window zooms or scrolls; every paint reads the
// channel afresh, so the readout follows edits of the table.
class WaveCursors : public QWidget {
    Q_OBJECT
  public:
    explicit WaveCursors(WaveDisplay& display);

    // Mouse input in the display's coordinates, handed on by the view.
    void Press(Qt::MouseButton button, QPoint at);
    void Drag(QPoint at);
    void Release();

    // The point under cursor 0 or 1, if placed (limited to the table's points).
    std::optional<int> CursorPoint(int cursor) const;
    // The readout box's lines as shown; empty while no cursor is placed.
    QString ReadoutText() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Line {
        QString text;
        QColor colour;
    };
    std::vector<Line> Lines() const;
    bool Shown() const;
    int PointUnder(QPoint at) const;
    std::optional<int> Column(int point) const;
    CursorReading Reading(int point) const;

    WaveDisplay& display_;
    std::array<std::optional<int>, 2> points_;
    int moving_ = -1;  // the cursor the right button drags, -1 for none
};

}  // namespace korvane
