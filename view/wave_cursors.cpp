#include "view/wave_cursors.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/channel_state.h"
#include "engine/synthesis.h"
#include "view/point_drawing.h"
#include "view/wave_display.h"

namespace korvane {

namespace {

const std::array<QColor, 2> kCursorColours = {QColor(255, 210, 60), QColor(90, 220, 255)};
const QColor kDeltaColour(240, 240, 240);
constexpr int kBoxMargin = 6;

}  // namespace

WaveCursors::WaveCursors(WaveDisplay& display) : QWidget(&display), display_(display) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(display.rect());
    display.installEventFilter(this);
}

bool WaveCursors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &display_ && event->type() == QEvent::Resize) {
        setGeometry(display_.rect());
    }
    return QWidget::eventFilter(watched, event);
}

bool WaveCursors::Shown() const {
    const ChannelState* channel = display_.Channel();
    return channel != nullptr && channel->waveType == Arbitrary;
}

int WaveCursors::PointUnder(QPoint at) const {
    const int last = LimitPointCount(display_.Channel()->arbPointCount) - 1;
    return std::min(PointAt(*display_.Channel(), PlotArea::FromRect(display_.PlotRect()), at.x()),
                    last);
}

void WaveCursors::Press(Qt::MouseButton button, QPoint at) {
    if (!Shown()) {
        return;
    }
    if (button == Qt::MiddleButton) {
        points_ = {};
        moving_ = -1;
        update();
        return;
    }
    if (button != Qt::RightButton || !PlotArea::FromRect(display_.PlotRect()).Contains(at)) {
        return;
    }
    const int point = PointUnder(at);
    if (!points_[0]) {
        moving_ = 0;
    } else if (!points_[1]) {
        moving_ = 1;
    } else {
        moving_ = std::abs(point - *points_[0]) <= std::abs(point - *points_[1]) ? 0 : 1;
    }
    points_[static_cast<std::size_t>(moving_)] = point;
    update();
}

void WaveCursors::Drag(QPoint at) {
    if (moving_ < 0 || !Shown()) {
        return;
    }
    const PlotArea plot = PlotArea::FromRect(display_.PlotRect());
    points_[static_cast<std::size_t>(moving_)] =
        PointUnder({std::clamp(at.x(), plot.left, plot.right), at.y()});
    update();
}

void WaveCursors::Release() {
    moving_ = -1;
}

std::optional<int> WaveCursors::CursorPoint(int cursor) const {
    const std::optional<int> point = points_.at(static_cast<std::size_t>(cursor));
    if (!point || display_.Channel() == nullptr) {
        return point;
    }
    return std::min(*point, LimitPointCount(display_.Channel()->arbPointCount) - 1);
}

CursorReading WaveCursors::Reading(int point) const {
    const ChannelState& channel = *display_.Channel();
    const int count = LimitPointCount(channel.arbPointCount);
    return {PointSeconds(point, count, channel.frequency),
            channel.arbPoints[static_cast<std::size_t>(point)].load()};
}

std::vector<WaveCursors::Line> WaveCursors::Lines() const {
    std::vector<Line> lines;
    if (!Shown()) {
        return lines;
    }
    for (int cursor = 0; cursor < 2; ++cursor) {
        if (const std::optional<int> point = CursorPoint(cursor)) {
            lines.push_back({CursorLine(cursor + 1, Reading(*point)),
                             kCursorColours[static_cast<std::size_t>(cursor)]});
        }
    }
    if (CursorPoint(0) && CursorPoint(1)) {
        lines.push_back(
            {CursorDeltaLine(Reading(*CursorPoint(0)), Reading(*CursorPoint(1))), kDeltaColour});
    }
    return lines;
}

QString WaveCursors::ReadoutText() const {
    QStringList texts;
    for (const Line& line : Lines()) {
        texts << line.text;
    }
    return texts.join(QLatin1Char('\n'));
}

// The column of `point` in the display window, if the window shows it.
std::optional<int> WaveCursors::Column(int point) const {
    const ChannelState& channel = *display_.Channel();
    const int first = channel.arbViewFirst;
    if (point < first || point > channel.arbViewLast) {
        return std::nullopt;
    }
    return display_.PlotRect().left() +
           static_cast<int>(std::lround((point - first) * double(channel.arbViewScale)));
}

void WaveCursors::paintEvent(QPaintEvent*) {
    const std::vector<Line> lines = Lines();
    if (lines.empty()) {
        return;
    }
    QPainter painter(this);
    const QRect plot = display_.PlotRect();
    const QFontMetrics metrics = painter.fontMetrics();
    for (int cursor = 0; cursor < 2; ++cursor) {
        const std::optional<int> point = CursorPoint(cursor);
        if (const std::optional<int> x = point ? Column(*point) : std::nullopt) {
            painter.setPen(QPen(kCursorColours[static_cast<std::size_t>(cursor)], 1, Qt::DashLine));
            painter.drawLine(*x, plot.top(), *x, plot.bottom());
            painter.drawText(*x + 3, plot.top() + metrics.ascent(), QString::number(cursor + 1));
        }
    }
    int width = 0;
    for (const Line& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line.text));
    }
    // Below the display's own top line, whose right end reads the point under the pointer.
    const QRect box(plot.right() - width - 3 * kBoxMargin, plot.top() + 2 * metrics.height(),
                    width + 2 * kBoxMargin, int(lines.size()) * metrics.height() + 2 * kBoxMargin);
    painter.fillRect(box, QColor(0, 0, 0, 190));
    painter.setPen(QColor(200, 200, 200));
    painter.drawRect(box);
    int y = box.top() + kBoxMargin + metrics.ascent();
    for (const Line& line : lines) {
        painter.setPen(line.colour);
        painter.drawText(box.left() + kBoxMargin, y, line.text);
        y += metrics.height();
    }
}

}  // namespace korvane
