#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QTextItem>

#include <memory>
#include <vector>

// A paint device that records where text is drawn, in which font, instead of drawing it: the
// tests read back the exact positions a delegate chose.
class TextRecorder : public QPaintDevice
{
public:
    struct DrawnText
    {
        QPointF baseline;
        QString text;
        QFont font;
    };

    TextRecorder();
    ~TextRecorder() override;

    const std::vector<DrawnText> &texts() const { return m_texts; }
    QPaintEngine *paintEngine() const override { return m_engine.get(); }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    std::vector<DrawnText> m_texts;
    std::unique_ptr<QPaintEngine> m_engine;
};

class TextRecorder::Engine : public QPaintEngine
{
public:
    explicit Engine(std::vector<DrawnText> &texts)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , m_texts(texts)
    {
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override { }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    void drawPath(const QPainterPath &) override { }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override { }
    void drawRects(const QRectF *, int) override { }
    void drawLines(const QLineF *, int) override { }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QPointF origin = painter()->transform().map(p);
        m_texts.push_back({origin, item.text(), item.font()});
    }
    Type type() const override { return QPaintEngine::User; }

private:
    std::vector<DrawnText> &m_texts;
};

inline TextRecorder::TextRecorder()
    : m_engine(std::make_unique<Engine>(m_texts))
{
}

inline TextRecorder::~TextRecorder() = default;

inline int TextRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
    case PdmHeight:
        return 1000;
    case PdmWidthMM:
    case PdmHeightMM:
        return 264;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    default:
        return 0;
    }
}
