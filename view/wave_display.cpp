#include "view/wave_display.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "engine/channel_state.h"
#include "view/wave_painting.h"
#include "view/wave_texts.h"

namespace korvane {

WaveDisplay::WaveDisplay(QWidget* parent) : QWidget(parent) {
    // Every pixel comes from the back buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void WaveDisplay::SetChannel(ChannelState* channel) {
    channel_ = channel;
    update();
}

void WaveDisplay::SetFileName(const QString& name) {
    if (name == fileName_) {
        return;
    }
    fileName_ = name;
    update();
}

void WaveDisplay::SetCursorLabel(const QString& label) {
    cursorLabel_ = label;
    update();
}

void WaveDisplay::SetClippedLabel(const QString& label) {
    clippedLabel_ = label;
    update();
}

void WaveDisplay::SetLineFormats(const QString& amplitude, const QString& pointsPerPeriod) {
    amplitudeFormat_ = CheckedLineFormat(amplitude, kAmplitudeFormat);
    pointsFormat_ = CheckedLineFormat(pointsPerPeriod, kPointsPerPeriodFormat);
    update();
}

void WaveDisplay::SetColour(QColor WaveColours::*role, const QColor& colour) {
    colours_.*role = colour;
    update();
}

void WaveDisplay::SetBackgroundColor(const QColor& colour) {
    SetColour(&WaveColours::background, colour);
}
void WaveDisplay::SetCurveColor(const QColor& colour) {
    SetColour(&WaveColours::curve, colour);
}
void WaveDisplay::SetXyLineColor(const QColor& colour) {
    SetColour(&WaveColours::xyLine, colour);
}
void WaveDisplay::SetCursorColor(const QColor& colour) {
    SetColour(&WaveColours::cursor, colour);
}

void WaveDisplay::SetCursorIndex(int index) {
    if (index == cursorIndex_) {
        return;
    }
    cursorIndex_ = index;
    update();
}

QRect WaveDisplay::PlotRect() const {
    return rect().adjusted(kScreenPlotInset, kScreenPlotInset, -kScreenPlotInset,
                           -kScreenPlotInset);
}

WaveScene WaveDisplay::CaptureScene() const {
    WaveScene scene;
    scene.params = channel_->Snapshot();
    scene.viewFirst = channel_->arbViewFirst.load();
    scene.viewLast = channel_->arbViewLast.load();
    scene.cursorIndex = cursorIndex_;
    scene.digitalOut = channel_->digitalOut.load();
    scene.digitalIn = channel_->digitalIn.load();
    scene.fileName = fileName_;
    scene.cursorLabel = cursorLabel_;
    scene.amplitudeFormat = amplitudeFormat_;
    scene.pointsFormat = pointsFormat_;
    scene.clipped = OutputClips(scene.params);
    scene.clippedLabel = clippedLabel_;
    return scene;
}

void WaveDisplay::DrawWave(QPainter& painter, const QRect& area) {
    if (channel_ == nullptr) {
        PaintWaveField(painter, area, ScreenWaveStyle(colours_));
        return;
    }
    DrawScene(painter, area, CaptureScene());
}

void WaveDisplay::DrawScene(QPainter& painter, const QRect& area, WaveScene scene) {
    const WaveStyle style = ScreenWaveStyle(colours_);
    if (scene.params.waveType == Arbitrary) {
        scene.arbScale = channel_->ArbViewScale(float(area.width() - 2 * style.plotInset));
    }
    PaintWave(painter, area, scene, style);
}

void WaveDisplay::Refresh() {
    if (channel_ == nullptr || !painted_) {
        update();
        return;
    }
    const int type = channel_->waveType;
    if (type == GaussNoise || type == WhiteNoise || !(CaptureScene() == *painted_)) {
        update();
    }
}

void WaveDisplay::DrawWaveForPrint(QPainter& painter, const QRect& area) const {
    const WaveStyle style = PrintWaveStyle();
    if (channel_ == nullptr) {
        PaintWaveField(painter, area, style);
        return;
    }
    WaveScene scene = CaptureScene();
    // Like ArbViewScale, without storing it: the mouse editing relies on the screen's scale.
    scene.arbScale = float(area.width() - 2 * style.plotInset) /
                     float(std::max(1, scene.viewLast - scene.viewFirst));
    PaintWave(painter, area, scene, style);
}

void WaveDisplay::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (backBuffer_.isNull() || backBuffer_.devicePixelRatio() != ratio) {
        backBuffer_ = QPixmap(size() * ratio);
        backBuffer_.setDevicePixelRatio(ratio);
    }
    {
        QPainter buffer(&backBuffer_);
        buffer.setFont(font());
        if (channel_ == nullptr) {
            DrawWave(buffer, rect());
            painted_.reset();
        } else {
            painted_ = CaptureScene();
            DrawScene(buffer, rect(), *painted_);
        }
    }
    QPainter(this).drawPixmap(0, 0, backBuffer_);
}

void WaveDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    backBuffer_ = QPixmap();
    painted_.reset();
    update();
}

}  // namespace korvane
