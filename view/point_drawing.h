#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

namespace korvane {

class ChannelState;

// The plot of the waveform display in form coordinates; right and bottom are the edges just
// outside the last pixel, so the height from top to bottom spans -3.5 V .. +3.5 V.
struct PlotArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static PlotArea FromRect(const QRect& rect);
    // Edges included.
    bool Contains(QPoint point) const;
    bool ContainsColumn(int x) const { return x >= left && x <= right; }
    bool ContainsRow(int y) const { return y >= top && y <= bottom; }
};

// The cursor column the display keeps while the pointer is outside the plot.
inline constexpr int kCursorOutside = 800;

// The arbitrary point under column x of the display window, within 0 .. arbViewLast.
int PointAt(const ChannelState& channel, const PlotArea& plot, int x);

// The voltage of row y (limited to the plot): +3.5 V at the top edge, -3.5 V at the bottom.
float VoltageAtRow(const PlotArea& plot, int y);

// One stroke of drawing arbitrary points with the mouse: pressing in the plot starts it, each
// move sets the point under the pointer and joins it to the previous one with a straight line,
// so no point is skipped however fast the pointer moves.
class PointStroke {
  public:
    // Where the display's cursor goes after a move.
    struct Cursor {
        int x = kCursorOutside;
        std::optional<int> index;  // unchanged when empty
    };

    // Starts a stroke when `at` lies in the plot; returns the point under it. With
    // `straightLine` the point under `at` gets the pointer's voltage at once and the points from
    // the last one drawn (in this or an earlier stroke) up to it are set on a straight line.
    std::optional<int> Press(ChannelState& channel, const PlotArea& plot, QPoint at,
                             bool straightLine = false);
    Cursor Move(ChannelState& channel, const PlotArea& plot, QPoint at);
    // Ends the stroke (wherever the button was let go) and sends the table once.
    void Release(ChannelState& channel);

    bool Dragging() const { return dragging_; }

  private:
    bool dragging_ = false;
    int dragIndex_ = 0;
    std::optional<int> lastDrawn_;  // the point the last stroke ended on
};

}  // namespace korvane
