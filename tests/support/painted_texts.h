#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QStringList>
#include <QWidget>
#include <cmath>
#include <functional>
#include <vector>

namespace korvane::test {

// One drawn text and the box its glyphs take: from its left edge to its advance, from the
// font's ascent above the baseline to its descent below.
struct PaintedText {
    QString text;
    QRectF box;
};

// A paint device that keeps the text and box of every text item and the box of every rectangle
// drawn on it and ignores everything else, so a test reads the words a painting puts on the
// screen and where they lie. The painter must draw without a transform.
class TextRecorder : public QPaintDevice {
  public:
    explicit TextRecorder(QSize size) : size_(size) {}

    QStringList Texts() const {
        QStringList texts;
        for (const PaintedText& text : engine_.texts) {
            texts << text.text;
        }
        return texts;
    }
    const std::vector<PaintedText>& TextBoxes() const { return engine_.texts; }
    const std::vector<QRectF>& Rects() const { return engine_.rects; }
    QPaintEngine* paintEngine() const override { return &engine_; }

  protected:
    int metric(PaintDeviceMetric metric) const override {
        constexpr int kDotsPerInch = 96;
        switch (metric) {
            case PdmWidth:
                return size_.width();
            case PdmHeight:
                return size_.height();
            case PdmWidthMM:
                return size_.width() * 254 / (10 * kDotsPerInch);
            case PdmHeightMM:
                return size_.height() * 254 / (10 * kDotsPerInch);
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return kDotsPerInch;
            case PdmDepth:
                return 32;
            case PdmNumColors:
                return 0x7FFFFFFF;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return int(devicePixelRatioFScale());
            default:
                return QPaintDevice::metric(metric);
        }
    }

  private:
    class Engine : public QPaintEngine {
      public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        Type type() const override { return QPaintEngine::User; }
        // One drawn text reaches the engine in runs of one script or font each ("CSV ",
        // "文件为空"); a run that starts where the last one ended on the same line joins it.
        void drawTextItem(const QPointF& at, const QTextItem& item) override {
            const QRectF box(at.x(), at.y() - item.ascent(), item.width(),
                             item.ascent() + item.descent());
            if (!texts.empty() && at.y() == lineY && std::abs(at.x() - lineEnd) < 0.5) {
                texts.back().text += item.text();
                texts.back().box |= box;
            } else {
                texts.push_back({item.text(), box});
            }
            lineY = at.y();
            lineEnd = at.x() + item.width();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawImage(const QRectF&, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawRects(const QRectF* drawn, int count) override {
            rects.insert(rects.end(), drawn, drawn + count);
        }
        void drawPoints(const QPointF*, int) override {}
        void drawEllipse(const QRectF&) override {}

        std::vector<PaintedText> texts;
        std::vector<QRectF> rects;
        qreal lineY = 0;
        qreal lineEnd = 0;
    };

    QSize size_;
    mutable Engine engine_;
};

// The texts that `paint` draws on a painter of `widget`'s size and font, in drawing order.
inline QStringList PaintedTexts(const QWidget& widget,
                                const std::function<void(QPainter&, const QRect&)>& paint) {
    TextRecorder recorder(widget.size());
    {
        QPainter painter(&recorder);
        painter.setFont(widget.font());
        paint(painter, widget.rect());
    }
    return recorder.Texts();
}

}  // namespace korvane::test
